#include "triggerexamples.h"

#include "knownnetworks.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TriggerRule enabledRule(const QString &name, TriggerCondition condition, TriggerAction action) {
    return TriggerRule{QUuid::createUuid(), name, true, std::move(condition), std::move(action)};
}

// An item id that matches no item, so the builder opens with the item still to choose.
MenuBarItemID placeholderItem() {
    return MenuBarItemID{QString(), std::nullopt, std::nullopt, 0};
}

} // namespace

QList<TriggerExamples::Example> TriggerExamples::all(const WifiClient &wifi) {
    return {
        {u"On your office Wi-Fi: switch profile"_s,
         u"Your work layout sets itself up when you arrive."_s,
         enabledRule(u"Office"_s, TriggerCondition::wifiSSID(QString()),
                     TriggerAction::switchProfile(QUuid::createUuid()))},
        {u"A Focus is on: hide hidden items"_s,
         u"Fewer things asking for attention while you work."_s,
         enabledRule(u"Focus"_s, TriggerCondition::focusActive(), TriggerAction::hideHidden())},
        {u"On battery: bring a tucked-away item into view"_s,
         u"Keep an item in Hidden until you unplug."_s,
         enabledRule(u"On battery"_s, TriggerCondition::onBattery(),
                     TriggerAction::moveItem(placeholderItem(), Section::shown))},
        {u"On your phone's hotspot: tell me"_s,
         u"A banner when you join your phone's hotspot instead of your usual Wi-Fi."_s,
         enabledRule(
             u"Hotspot"_s,
             TriggerCondition::wifiSSID(KnownNetworks::likelyHotspot(wifi).value_or(QString())),
             TriggerAction::notify(u"You're on your hotspot, not Wi-Fi."_s))},
        {u"Battery below 20%: reveal hidden items"_s,
         u"So the icons that show power and sync are in sight when it matters."_s,
         enabledRule(u"Low battery"_s, TriggerCondition::batteryBelow(20),
                     TriggerAction::revealHidden())},
        {u"Zoom in front: hide hidden items"_s, u"A tidy menu bar while you share your screen."_s,
         enabledRule(u"Screen sharing"_s, TriggerCondition::appFrontmost(u"us.zoom.xos"_s),
                     TriggerAction::hideHidden())},
    };
}

} // namespace zorv
