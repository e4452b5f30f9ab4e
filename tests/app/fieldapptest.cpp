#include "fieldapptest.h"

#include "appinput.h"
#include "desktopsnapshot.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"

#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

FieldAppTest::FieldAppTest(SimOptions options, const QJsonArray &events)
    : WholeAppTest(reachableLaptop(events), std::move(options)) {}

void FieldAppTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(launch("{}"));
}

void FieldAppTest::chooseFromStatusMenu(const QString &title) {
    clickIcon();
    ASSERT_TRUE(mac().menus().openMenu());
    const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
    ASSERT_TRUE(row) << "no row " << title.toStdString();
    click(*row);
}

void FieldAppTest::openMainMenu(const QString &menu) {
    const ScreenSnapshot screen = DesktopSnapshot::take(mac()).screens.value(0);
    const auto bar = std::ranges::find(screen.look.menus, menu, &MenuTitle::text);
    ASSERT_NE(bar, screen.look.menus.end()) << "the bar shows no " << menu.toStdString();
    click(bar->rect.translated(screen.globalFrame.topLeft()).center());
    ASSERT_TRUE(mac().menus().isTracking());
}

void FieldAppTest::chooseFromMainMenu(const QString &menu, const QString &title) {
    ASSERT_NO_FATAL_FAILURE(openMainMenu(menu));
    const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
    ASSERT_TRUE(row) << "no row " << title.toStdString();
    click(*row);
    ASSERT_FALSE(mac().menus().isTracking());
}

void FieldAppTest::clickField(const QString &rail, const QString &name) {
    ASSERT_NO_FATAL_FAILURE(chooseFromStatusMenu(u"Settings…"_s));
    ASSERT_NE(app.settingsWindow(), nullptr);
    QQuickWindow *window = app.settingsWindow()->window();
    for (const QString &pane : {u"rail-general"_s, rail}) {
        ASSERT_NO_FATAL_FAILURE(clickControl(window, pane));
        run(1);
        if (window->property("guideShown").toBool()) {
            ASSERT_NO_FATAL_FAILURE(clickControl(window, u"guideDone"_s));
        }
    }
    ASSERT_NO_FATAL_FAILURE(clickControl(window, name));
    field = findIn(window->contentItem(), name);
    ASSERT_NE(field, nullptr);
}

void FieldAppTest::clickProfileName() {
    clickField(u"rail-profiles"_s, u"newName"_s);
}

void FieldAppTest::redoFirstOfTwoPastesByKeys() {
    for (const quint16 key : {aKey, xKey, vKey, vKey, zKey, zKey}) {
        press(key, EventFlags::command);
    }
    press(zKey, EventFlags::command | EventFlags::shift);
}

void FieldAppTest::redoFirstOfTwoPastesByRows() {
    for (const QString &row :
         {u"Select All"_s, u"Cut"_s, u"Paste"_s, u"Paste"_s, u"Undo"_s, u"Undo"_s, u"Redo"_s}) {
        ASSERT_NO_FATAL_FAILURE(chooseFromMainMenu(u"Edit"_s, row));
    }
}

QString FieldAppTest::fieldText() const {
    return field->property("text").toString();
}

} // namespace zorv
