#include "rulespaneview.h"

#include "appmodel.h"
#include "automationfrontend.h"
#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "rulewords.h"
#include "search/stablekey.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

RulesPaneView::RulesPaneView(QObject *parent) : QObject(parent) {}

void RulesPaneView::setView(ModelView *view) {
    if (view != m_view) {
        m_view = view;
        make();
    }
}

void RulesPaneView::setServices(SettingsServices *services) {
    if (services != m_services) {
        m_services = services;
        make();
    }
}

void RulesPaneView::setInk(const QColor &ink) {
    if (ink == m_ink) {
        return;
    }
    m_ink = ink;
    Q_EMIT inkChanged();
    if (m_pane && m_pane->builder()) {
        Q_EMIT m_pane->builder()->changed();
    }
}

void RulesPaneView::make() {
    if (m_pane || !m_view || !m_services || !m_services->automation()) {
        return;
    }
    AutomationFrontEnd &automation = *m_services->automation();
    AppModel &model = m_view->model();
    m_view->rules()->setWording(
        [&model, &workspace = automation.ruleViews().workspace](const TriggerRule &rule) {
            return RuleWords(model, workspace).sentence(rule);
        });
    m_pane = new RulesPaneModel(model, pictures(automation.ruleViews()), this);
    Q_EMIT paneChanged();
}

RuleViewServices RulesPaneView::pictures(RuleViewServices services) {
    const QPointer<RulesPaneView> self(this);
    const auto kit = [self]() -> ZorvKit * {
        if (!self) {
            return nullptr;
        }
        if (self->m_view && self->m_view->kit()) {
            return self->m_view->kit();
        }
        return ZorvKit::of(qmlEngine(self));
    };
    services.appPicture = [kit](const QString &key, const QImage &picture) -> QVariant {
        ZorvKit *found = kit();
        if (!found) {
            return {};
        }
        const QString stored = u"rules/"_s + key;
        found->itemPictures().set(stored, picture, false);
        return ItemPictures::source(stored, QColor());
    };
    services.itemPicture = [kit, self](const MenuBarItem &item) -> QVariant {
        ZorvKit *found = kit();
        const std::optional<ItemDisplay::MenuIcon> icon = ItemDisplay::menuIcon(item);
        if (!found || !icon) {
            return {};
        }
        const QString stored = u"rules/item/"_s + stableKey(item.id);
        found->itemPictures().set(stored, icon->image, icon->isTemplate);
        return ItemPictures::source(stored, self ? self->m_ink : QColor());
    };
    return services;
}

} // namespace zorv
