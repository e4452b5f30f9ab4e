#include "scenarioevent.h"

#include "clock.h"
#include "jsonwriter.h"
#include "scenarioinput.h"
#include "scenariojson.h"
#include "scenarioscreen.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

using namespace scenarioaction;

constexpr double maximumEventTime = 365.0 * 24 * 3600;
constexpr qsizetype maxCloudKeyBytes = 64;
constexpr qsizetype maxCloudValueBytes = 1024 * 1024;

enum class Verb {
    Launch,
    Quit,
    AddItem,
    RemoveItem,
    SetTitle,
    SetLength,
    DragItem,
    Input,
    AddScreen,
    RemoveScreen,
    ChangeScreen,
    Permission,
    ActivateDisplay,
    Activate,
    SetHung,
    SetDrag,
    SetHidden,
    SetPreference,
    MoveZorvIconToLeftEnd,
    Appearance,
    Power,
    Wifi,
    Location,
    Focus,
    Notifications,
    CloudChange
};

QStringList keysOf(Verb verb) {
    switch (verb) {
    case Verb::Launch:
    case Verb::Quit:
        return {u"app"_s};
    case Verb::AddItem:
    case Verb::RemoveItem:
        return {u"app"_s, u"item"_s};
    case Verb::SetTitle:
        return {u"app"_s, u"item"_s, u"title"_s};
    case Verb::SetLength:
        return {u"app"_s, u"item"_s, u"length"_s};
    case Verb::DragItem:
        return {u"app"_s, u"item"_s, u"toX"_s};
    case Verb::Input:
        return {u"input"_s,     u"x"_s,    u"y"_s,         u"toX"_s,    u"toY"_s,     u"keyCode"_s,
                u"modifiers"_s, u"text"_s, u"direction"_s, u"amount"_s, u"modifier"_s};
    case Verb::AddScreen:
        return {u"screen"_s};
    case Verb::RemoveScreen:
        return {u"display"_s};
    case Verb::ChangeScreen:
        return {u"display"_s, u"frame"_s, u"autoHidesMenuBar"_s, u"notHiding"_s};
    case Verb::Permission:
        return {u"permission"_s, u"granted"_s};
    case Verb::ActivateDisplay:
        return {u"display"_s};
    case Verb::Activate:
        return {u"app"_s, u"menusWidth"_s};
    case Verb::SetHung:
        return {u"app"_s, u"hung"_s};
    case Verb::SetDrag:
        return {u"app"_s, u"drag"_s};
    case Verb::SetHidden:
        return {u"app"_s, u"item"_s, u"hidden"_s};
    case Verb::SetPreference:
        return {u"key"_s, u"value"_s};
    case Verb::MoveZorvIconToLeftEnd:
        return {};
    case Verb::Appearance:
        return {u"appearance"_s};
    case Verb::Power:
        return {u"percent"_s, u"charging"_s, u"onBattery"_s};
    case Verb::Wifi:
        return {u"network"_s};
    case Verb::Location:
        return {u"location"_s};
    case Verb::Focus:
        return {u"focus"_s};
    case Verb::Notifications:
        return {u"notifications"_s};
    case Verb::CloudChange:
        return {u"from"_s, u"key"_s, u"value"_s};
    }
    return {};
}

ChangeScreen changeScreenFrom(const JsonObjectRef &object) {
    ChangeScreen change;
    change.display = scenariojson::toDisplayId(object.required(u"display"));
    if (auto frame = object.optional(u"frame")) {
        change.frame = scenariojson::toRect(*frame);
    }
    change.autoHidesMenuBar = object.optional<bool>(u"autoHidesMenuBar");
    change.notHiding = object.optional<bool>(u"notHiding");
    if (!change.frame && !change.autoHidesMenuBar && !change.notHiding) {
        object.fail(u"Say what changes: \"frame\", \"autoHidesMenuBar\" or \"notHiding\"."_s);
    }
    return change;
}

SetPower powerFrom(const JsonObjectRef &object) {
    SetPower power;
    const JsonValueRef percent = object.required(u"percent");
    if (!percent.isNull()) {
        power.percent = static_cast<int>(percent.toInteger(0, 100));
    }
    power.charging = object.required<bool>(u"charging");
    power.onBattery = object.required<bool>(u"onBattery");
    return power;
}

SetWifi wifiFrom(const JsonObjectRef &object) {
    const JsonValueRef network = object.required(u"network");
    return SetWifi{network.isNull() ? std::nullopt : std::optional<QString>(network.toString())};
}

// What the iCloud key-value store takes: keys of 1 to maxCloudKeyBytes bytes, values of at most
// maxCloudValueBytes; a string value is stored as its UTF-8 bytes, a JSON object or array as its
// compact text, and null removes the key.
CloudChange cloudChangeFrom(const JsonObjectRef &object) {
    CloudChange change;
    const JsonValueRef from = object.required(u"from");
    change.from = from.toString().trimmed();
    if (change.from.isEmpty()) {
        from.fail(u"Name the Mac the change comes from."_s);
    }
    const JsonValueRef key = object.required(u"key");
    change.key = key.toString();
    const qsizetype keyBytes = change.key.toUtf8().size();
    if (keyBytes == 0 || keyBytes > maxCloudKeyBytes) {
        key.fail(u"A key of the iCloud key-value store is 1 to %1 bytes long in UTF-8."_s.arg(
            maxCloudKeyBytes));
    }
    const JsonValueRef value = object.required(u"value");
    if (value.raw().isString()) {
        change.value = value.toString().toUtf8();
    } else if (value.raw().isObject() || value.raw().isArray()) {
        change.value = writeJson(value.raw(), JsonFormat::compact());
    } else if (!value.isNull()) {
        value.fail(u"Expected a string, a JSON object or array, or null to remove the key."_s);
    }
    if (change.value && change.value->size() > maxCloudValueBytes) {
        value.fail(u"The iCloud key-value store holds at most %1 bytes under a key; this value "
                   "has %2."_s.arg(maxCloudValueBytes)
                       .arg(change.value->size()));
    }
    return change;
}

ScenarioAction actionFrom(Verb verb, const JsonObjectRef &object) {
    switch (verb) {
    case Verb::Launch:
        return Launch{object.required<QString>(u"app")};
    case Verb::Quit:
        return Quit{object.required<QString>(u"app")};
    case Verb::AddItem:
        return AddItem{object.required<QString>(u"app"),
                       ScenarioItem::fromJson(object.required(u"item"))};
    case Verb::RemoveItem:
        return RemoveItem{object.required<QString>(u"app"), object.required<QString>(u"item")};
    case Verb::SetTitle:
        return SetTitle{object.required<QString>(u"app"), object.required<QString>(u"item"),
                        object.required<QString>(u"title")};
    case Verb::SetLength:
        return SetLength{object.required<QString>(u"app"), object.required<QString>(u"item"),
                         ScenarioItem::lengthFromJson(object.required(u"length"))};
    case Verb::DragItem:
        return DragItem{object.required<QString>(u"app"), object.required<QString>(u"item"),
                        object.required<double>(u"toX")};
    case Verb::Input:
        return ScenarioInput::fromJson(object);
    case Verb::AddScreen: {
        const JsonValueRef screen = object.required(u"screen");
        if (!screen.toObject().contains(u"displayId")) {
            screen.fail(u"A screen added by an event needs a \"displayId\"."_s);
        }
        return AddScreen{ScenarioScreen::fromJson(screen, 0)};
    }
    case Verb::RemoveScreen:
        return RemoveScreen{scenariojson::toDisplayId(object.required(u"display"))};
    case Verb::ChangeScreen:
        return changeScreenFrom(object);
    case Verb::Permission:
        return SetPermission{
            scenariojson::toEnum<SetPermission::Permission>(
                object.required(u"permission"),
                {{u"accessibility", SetPermission::Permission::Accessibility},
                 {u"screenRecording", SetPermission::Permission::ScreenRecording}}),
            object.required<bool>(u"granted")};
    case Verb::ActivateDisplay:
        return ActivateDisplay{scenariojson::toDisplayId(object.required(u"display"))};
    case Verb::Activate: {
        Activate activate{object.required<QString>(u"app"), std::nullopt};
        if (auto width = object.optional(u"menusWidth")) {
            activate.menusWidth = scenariojson::toNumberAtLeast(*width, 0.0);
        }
        return activate;
    }
    case Verb::SetHung:
        return SetHung{object.required<QString>(u"app"), object.required<bool>(u"hung")};
    case Verb::SetDrag:
        return SetDrag{object.required<QString>(u"app"),
                       scenariojson::toDragAcceptance(object.required(u"drag"))};
    case Verb::SetHidden:
        return SetHidden{object.required<QString>(u"app"), object.required<QString>(u"item"),
                         object.required<bool>(u"hidden")};
    case Verb::SetPreference:
        return SetPreference{object.required<QString>(u"key"),
                             scenariojson::toPreferenceValue(object.required(u"value"))};
    case Verb::MoveZorvIconToLeftEnd:
        return MoveZorvIconToLeftEnd{};
    case Verb::Appearance:
        return SetAppearance{scenariojson::toEnum<bool>(object.required(u"appearance"),
                                                        {{u"light", false}, {u"dark", true}})};
    case Verb::Power:
        return powerFrom(object);
    case Verb::Wifi:
        return wifiFrom(object);
    case Verb::Location:
        return SetLocation{scenariojson::toEnum<LocationStatus>(
            object.required(u"location"), {{u"notDetermined", LocationStatus::NotDetermined},
                                           {u"restricted", LocationStatus::Restricted},
                                           {u"denied", LocationStatus::Denied},
                                           {u"allowed", LocationStatus::AuthorizedAlways}})};
    case Verb::Focus:
        return SetFocus{object.required<bool>(u"focus")};
    case Verb::Notifications:
        return SetNotifications{scenariojson::toEnum<NotificationAuthorization>(
            object.required(u"notifications"),
            {{u"notDetermined", NotificationAuthorization::NotDetermined},
             {u"denied", NotificationAuthorization::Denied},
             {u"allowed", NotificationAuthorization::Authorized},
             {u"provisional", NotificationAuthorization::Provisional}})};
    case Verb::CloudChange:
        return cloudChangeFrom(object);
    }
    object.fail(u"Unknown action."_s);
}

} // namespace

ScenarioEvent ScenarioEvent::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    const Verb verb = scenariojson::toEnum<Verb>(
        object.required(u"do"), {{u"launch", Verb::Launch},
                                 {u"quit", Verb::Quit},
                                 {u"addItem", Verb::AddItem},
                                 {u"removeItem", Verb::RemoveItem},
                                 {u"setTitle", Verb::SetTitle},
                                 {u"setLength", Verb::SetLength},
                                 {u"dragItem", Verb::DragItem},
                                 {u"input", Verb::Input},
                                 {u"addScreen", Verb::AddScreen},
                                 {u"removeScreen", Verb::RemoveScreen},
                                 {u"changeScreen", Verb::ChangeScreen},
                                 {u"permission", Verb::Permission},
                                 {u"activateDisplay", Verb::ActivateDisplay},
                                 {u"activate", Verb::Activate},
                                 {u"setHung", Verb::SetHung},
                                 {u"setDrag", Verb::SetDrag},
                                 {u"setHidden", Verb::SetHidden},
                                 {u"setPreference", Verb::SetPreference},
                                 {u"moveZorvIconToLeftEnd", Verb::MoveZorvIconToLeftEnd},
                                 {u"setAppearance", Verb::Appearance},
                                 {u"setPower", Verb::Power},
                                 {u"setWifi", Verb::Wifi},
                                 {u"setLocation", Verb::Location},
                                 {u"setFocus", Verb::Focus},
                                 {u"setNotifications", Verb::Notifications},
                                 {u"cloudChange", Verb::CloudChange}});
    scenariojson::checkKeys(object, QStringList{u"at"_s, u"do"_s} + keysOf(verb));
    ScenarioEvent event;
    const JsonValueRef at = object.required(u"at");
    const double atSeconds = scenariojson::toNumberAtLeast(at, 0.0);
    if (atSeconds > maximumEventTime) {
        at.fail(u"Events happen within a year (%1 seconds) of the start."_s.arg(maximumEventTime));
    }
    event.at = seconds(atSeconds);
    event.action = actionFrom(verb, object);
    return event;
}

} // namespace zorv
