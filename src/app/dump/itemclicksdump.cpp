#include "itemclicksdump.h"

#include "optionaljson.h"
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
            const ItemRecord *item = state.item(click.itemId);
            const AppRecord *owner = state.app(click.ownerProcessId);
            clicks.append(QJsonObject{
                {u"application"_s, owner ? optionalString(owner->localizedName) : QJsonValue()},
                {u"bundleId"_s, owner ? optionalString(owner->bundleIdentifier) : QJsonValue()},
                {u"title"_s, item ? QJsonValue(item->title) : QJsonValue()},
                {u"autosaveName"_s, item ? QJsonValue(item->autosaveName) : QJsonValue()},
                {u"kind"_s, clickKindName(click.kind)},
                {u"via"_s, openingName(click.via)},
                {u"at"_s, toSeconds(click.at - started)},
                {u"menuAt"_s,
                 QJsonObject{{u"x"_s, click.menuAt.x()}, {u"y"_s, click.menuAt.y()}}}});
        }
        return clicks;
    });
}

} // namespace zorv
