#pragma once

#include "automationfrontend.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "rulespanemodel.h"
#include "settingsfixture.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace zorv {

// The settings window over a Mac that runs rules, opened on the Triggers pane.
class RulesFixture : public SettingsFixture {
protected:
    void showRules() {
        view.markGuideSeen(QStringLiteral("triggers"));
        controller.open(SettingsPane::triggers);
        settle();
    }
    [[nodiscard]] QObject *paneItem() const {
        return controller.window()->property("paneItem").value<QObject *>();
    }
    [[nodiscard]] RulesPaneModel *pane() const {
        return paneItem()->property("pane").value<RulesPaneModel *>();
    }
    [[nodiscard]] bool sheetShown() const { return paneItem()->property("sheetShown").toBool(); }
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(controller.window(), Qt::Key(key), modifiers);
        settle();
    }
    void type(const QString &text) {
        for (const QChar c : text) {
            QTest::keyClick(controller.window(), c.toLatin1());
        }
        settle();
    }
    // Through the visual tree: a repeater's rows are not its QObject children.
    [[nodiscard]] QQuickItem *find(const QString &objectName) const {
        return find(controller.window()->contentItem(), objectName);
    }
    static QQuickItem *find(QQuickItem *item, const QString &objectName) {
        if (item->objectName() == objectName) {
            return item;
        }
        for (QQuickItem *child : item->childItems()) {
            if (QQuickItem *found = find(child, objectName)) {
                return found;
            }
        }
        return nullptr;
    }
    void click(QQuickItem *item) {
        if (!item) {
            ADD_FAILURE() << "nothing to click";
            return;
        }
        // Positioners place their children when the window is next drawn.
        (void)controller.window()->grabWindow();
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(controller.window(), Qt::LeftButton, {}, centre.toPoint());
        settle();
    }
    TriggerRule addRule(const QString &name, TriggerCondition condition, TriggerAction action,
                        bool enabled = true) {
        const TriggerRule rule{QUuid::createUuid(), name, enabled, std::move(condition),
                               std::move(action)};
        model.rules().addTrigger(rule);
        return rule;
    }

    AutomationFrontEnd automation{
        AutomationFrontEnd::Services{{mac.workspace(), mac.desktop().powerSources(),
                                      mac.desktop().wifi(), mac.desktop().focus()},
                                     mac.desktop().notifications(),
                                     mac.desktop().location(),
                                     clock,
                                     &panels,
                                     &mac.desktop().screens()}};
    // Before the window is made: it offers the pane only over a Mac that runs rules.
    const bool m_automationSet = (services.setAutomation(&automation), true);
    SettingsWindowController controller{engine, view, services, mac.desktop().appWindows()};
};

} // namespace zorv
