#include "enginedump.h"

#include "engine/classicengine.h"

#include <QJsonArray>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString reasonName(HidingBlockedReason reason) {
    switch (reason) {
    case HidingBlockedReason::iconMisseated:
        return u"iconMisseated"_s;
    case HidingBlockedReason::displayNotHiding:
        return u"displayNotHiding"_s;
    }
    Q_UNREACHABLE();
    return {};
}

QJsonValue optionalText(const std::optional<QString> &text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

} // namespace

QJsonObject EngineDump::toJson(ClassicEngine &engine, const QList<QRectF> &screens) {
    QJsonArray items;
    for (const MenuBarItem &item : engine.lastItems()) {
        const double midX = item.frame.center().x();
        const bool onScreen =
            ClassicEngine::isOnTheBar(item) &&
            std::any_of(screens.cbegin(), screens.cend(),
                        [midX](const QRectF &s) { return s.left() <= midX && midX <= s.right(); });
        items.append(QJsonObject{
            {u"bundleId"_s, item.id.bundleID},
            {u"title"_s, optionalText(item.id.title)},
            {u"identifier"_s, optionalText(item.id.axIdentifier)},
            {u"ordinal"_s, item.id.ordinal},
            {u"section"_s, rawValue(item.section)},
            {u"onScreen"_s, onScreen},
            {u"notchObscured"_s, item.isNotchObscured},
            {u"unplacedBecause"_s, item.unplacedBecause ? QJsonValue(item.unplacedBecause->text())
                                                        : QJsonValue(QJsonValue::Null)}});
    }
    const std::optional<HidingBlockedReason> blocked = engine.hidingBlocked();
    return {{u"revealed"_s, engine.isRevealed()},
            {u"hidingBlocked"_s,
             blocked ? QJsonValue(reasonName(*blocked)) : QJsonValue(QJsonValue::Null)},
            {u"waitingForAccessibility"_s, engine.waitingForAccessibility()},
            {u"iconOnScreen"_s, engine.separatorController().iconIsOnScreen()},
            {u"items"_s, items}};
}

} // namespace zorv
