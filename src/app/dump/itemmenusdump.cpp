#include "itemmenusdump.h"

#include "itemclicksdump.h"
#include "optionaljson.h"
#include "rectjson.h"
#include "simulateddesktop.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString closingName(MenuClosing why) {
    switch (why) {
    case MenuClosing::Escape:
        return u"Escape"_s;
    case MenuClosing::RowChosen:
        return u"row chosen"_s;
    case MenuClosing::OwnerQuit:
        return u"owner quit"_s;
    case MenuClosing::AnotherMenuOpened:
        return u"another menu opened"_s;
    case MenuClosing::DisplayRemoved:
        return u"display removed"_s;
    case MenuClosing::DisplaysRearranged:
        return u"displays rearranged"_s;
    case MenuClosing::PressedOutside:
        break;
    }
    return u"pressed outside"_s;
}

QJsonObject menuJson(const DesktopState &state, const OpenItemMenu &menu, Duration started) {
    const ItemRecord *item = state.item(menu.itemId);
    const AppRecord *owner = state.app(menu.ownerProcessId);
    return {{u"application"_s, owner ? optionalString(owner->localizedName) : QJsonValue()},
            {u"bundleId"_s, owner ? optionalString(owner->bundleIdentifier) : QJsonValue()},
            {u"title"_s, item ? QJsonValue(item->title) : QJsonValue()},
            {u"autosaveName"_s, item ? QJsonValue(item->autosaveName) : QJsonValue()},
            {u"frame"_s, rectJson(menu.frame)},
            {u"via"_s, ItemClicksDump::openingName(menu.via)},
            {u"openedAt"_s, toSeconds(menu.openedAt - started)}};
}

} // namespace

QJsonValue ItemMenusDump::open(SimulatedDesktop &desktop, Duration started) {
    return desktop.model().read([&](const DesktopState &state) -> QJsonValue {
        const std::optional<OpenItemMenu> &menu = state.itemMenus.open;
        return menu ? QJsonValue(menuJson(state, *menu, started)) : QJsonValue(QJsonValue::Null);
    });
}

QJsonArray ItemMenusDump::closings(SimulatedDesktop &desktop, Duration started) {
    return desktop.model().read([&](const DesktopState &state) {
        QJsonArray closings;
        for (const ClosedItemMenu &closing : state.itemMenus.closings) {
            QJsonObject record = menuJson(state, closing.menu, started);
            record.insert(u"closedAt"_s, toSeconds(closing.closedAt - started));
            record.insert(u"why"_s, closingName(closing.why));
            closings.append(record);
        }
        return closings;
    });
}

} // namespace zorv
