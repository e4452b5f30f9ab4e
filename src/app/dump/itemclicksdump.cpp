#include "itemclicksdump.h"

#include "clickeditemjson.h"
#include "simulateddesktop.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString clickKindName(ItemClickKind kind) {
    switch (kind) {
    case ItemClickKind::Right:
        return u"right"_s;
    case ItemClickKind::Option:
        return u"option"_s;
    case ItemClickKind::Left:
        break;
    }
    return u"left"_s;
}

} // namespace

QString ItemClicksDump::openingName(ItemOpening via) {
    switch (via) {
    case ItemOpening::Press:
        return u"press"_s;
    case ItemOpening::ShowMenu:
        return u"show menu"_s;
    case ItemOpening::Click:
        break;
    }
    return u"click"_s;
}

QJsonArray ItemClicksDump::clicks(SimulatedDesktop &desktop, Duration started) {
    return desktop.model().read([&](const DesktopState &state) {
        QJsonArray clicks;
        for (const DeliveredClick &click : state.clicks) {
            // Zorv's own items are no other application's, even once Zorv replaced them.
            if (click.ownerProcessId == state.currentProcessId) {
                continue;
            }
            QJsonObject json = clickedItemJson(click.item);
            json.insert(u"kind"_s, clickKindName(click.kind));
            json.insert(u"via"_s, openingName(click.via));
            json.insert(u"at"_s, toSeconds(click.at - started));
            json.insert(u"menuAt"_s,
                        QJsonObject{{u"x"_s, click.menuAt.x()}, {u"y"_s, click.menuAt.y()}});
            clicks.append(json);
        }
        return clicks;
    });
}

} // namespace zorv
