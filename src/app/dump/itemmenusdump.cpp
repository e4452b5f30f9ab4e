#include "itemmenusdump.h"

#include "clickeditemjson.h"
#include "itemclicksdump.h"
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

QJsonObject menuJson(const OpenItemMenu &menu, Duration started) {
    QJsonObject json = clickedItemJson(menu.item);
    json.insert(u"frame"_s, rectJson(menu.frame));
    json.insert(u"via"_s, ItemClicksDump::openingName(menu.via));
    json.insert(u"openedAt"_s, toSeconds(menu.openedAt - started));
    return json;
}

} // namespace

QJsonValue ItemMenusDump::open(SimulatedDesktop &desktop, Duration started) {
    return desktop.model().read([&](const DesktopState &state) -> QJsonValue {
        const std::optional<OpenItemMenu> &menu = state.itemMenus.open;
        return menu ? QJsonValue(menuJson(*menu, started)) : QJsonValue(QJsonValue::Null);
    });
}

QJsonArray ItemMenusDump::closings(SimulatedDesktop &desktop, Duration started) {
    return desktop.model().read([&](const DesktopState &state) {
        QJsonArray closings;
        for (const ClosedItemMenu &closing : state.itemMenus.closings) {
            QJsonObject record = menuJson(closing.menu, started);
            record.insert(u"closedAt"_s, toSeconds(closing.closedAt - started));
            record.insert(u"why"_s, closingName(closing.why));
            closings.append(record);
        }
        return closings;
    });
}

} // namespace zorv
