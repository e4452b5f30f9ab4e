#pragma once

#include "displayid.h"
#include "jsonreader.h"
#include "locationauthorization.h"
#include "model/apprecord.h"
#include "model/screenrecord.h"
#include "scenarioitem.h"
#include "usernotifications.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <chrono>
#include <optional>
#include <variant>

namespace zorv {

// What a timed event of a scenario does. Applications are named by their scenario ref, items by
// their autosave name, screens by their display id.
namespace scenarioaction {

struct Launch {
    QString app;
    friend bool operator==(const Launch &, const Launch &) = default;
};

struct Quit {
    QString app;
    friend bool operator==(const Quit &, const Quit &) = default;
};

struct AddItem {
    QString app;
    ScenarioItem item;
    friend bool operator==(const AddItem &, const AddItem &) = default;
};

struct RemoveItem {
    QString app;
    QString item;
    friend bool operator==(const RemoveItem &, const RemoveItem &) = default;
};

struct SetTitle {
    QString app;
    QString item;
    QString title;
    friend bool operator==(const SetTitle &, const SetTitle &) = default;
};

struct SetLength {
    QString app;
    QString item;
    double length = 0.0;
    friend bool operator==(const SetLength &, const SetLength &) = default;
};

// The user Command-drags the item along the bar where the status items' windows are (the active
// screen's) and drops it at x.
struct DragItem {
    QString app;
    QString item;
    double toX = 0.0;
    friend bool operator==(const DragItem &, const DragItem &) = default;
};

// The user's hands on the mouse or keyboard; locations in the top-left convention.
struct Input {
    enum class Kind {
        MouseMove,
        LeftClick,
        RightClick,
        Drag,
        Scroll,
        Key,
        Type,
        // A modifier key goes down, or comes up, on its own: it stays held in between.
        ModifierDown,
        ModifierUp
    };
    Kind kind = Kind::MouseMove;
    QPointF location;
    quint16 keyCode = 0;
    // The modifier keys held down around a click, a drag or a key press (event flags).
    quint64 modifiers = 0;
    // What Type types.
    QString text{};
    // Where a drag with the left button, starting at `location`, ends.
    QPointF to{};
    // The modifier key that goes down or up (one event flag).
    quint64 modifier = 0;
    // The lines a scroll turns the wheel, positive towards the top of what is scrolled.
    double scroll = -1.0;
    friend bool operator==(const Input &, const Input &) = default;
};

struct AddScreen {
    ScreenRecord screen;
    friend bool operator==(const AddScreen &, const AddScreen &) = default;
};

struct RemoveScreen {
    DisplayId display = 0;
    friend bool operator==(const RemoveScreen &, const RemoveScreen &) = default;
};

// Moves or resizes a screen (bottom-left convention), or changes how its menu bar behaves; what
// is absent stays as it is.
struct ChangeScreen {
    DisplayId display = 0;
    std::optional<QRectF> frame;
    std::optional<bool> autoHidesMenuBar;
    std::optional<bool> notHiding;
    friend bool operator==(const ChangeScreen &, const ChangeScreen &) = default;
};

// The display whose bar holds the status items' windows changes (the user works on another
// display).
struct ActivateDisplay {
    DisplayId display = 0;
    friend bool operator==(const ActivateDisplay &, const ActivateDisplay &) = default;
};

struct SetPermission {
    enum class Permission { Accessibility, ScreenRecording };
    Permission permission = Permission::Accessibility;
    bool granted = true;
    friend bool operator==(const SetPermission &, const SetPermission &) = default;
};

// The application comes to the front; its menus reach `menusWidth` from now on when given.
struct Activate {
    QString app;
    std::optional<double> menusWidth;
    friend bool operator==(const Activate &, const Activate &) = default;
};

// The application stops answering (accessibility requests, mouse-downs), or answers again.
struct SetHung {
    QString app;
    bool hung = false;
    friend bool operator==(const SetHung &, const SetHung &) = default;
};

// How the application's items take Command-drags from now on (an update, a changed setting).
struct SetDrag {
    QString app;
    DragAcceptance drag = DragAcceptance::Always;
    friend bool operator==(const SetDrag &, const SetDrag &) = default;
};

// The application hides or shows the item's button; the item keeps its place and length.
struct SetHidden {
    QString app;
    QString item;
    bool hidden = false;
    friend bool operator==(const SetHidden &, const SetHidden &) = default;
};

// A value of the global preferences domain changes (the user or another application wrote it).
struct SetPreference {
    QString key;
    QVariant value;
    friend bool operator==(const SetPreference &, const SetPreference &) = default;
};

// The system moves Zorv's own icon to the left end of the status items, as macOS sometimes does.
struct MoveZorvIconToLeftEnd {
    friend bool operator==(const MoveZorvIconToLeftEnd &, const MoveZorvIconToLeftEnd &) = default;
};

// The system switches between the light and the dark appearance.
struct SetAppearance {
    bool dark = false;
    friend bool operator==(const SetAppearance &, const SetAppearance &) = default;
};

// The battery's charge and the power source change; without a percentage the Mac has no battery.
struct SetPower {
    std::optional<int> percent;
    bool charging = false;
    bool onBattery = false;
    friend bool operator==(const SetPower &, const SetPower &) = default;
};

// The Mac joins a Wi-Fi network, or leaves any without one.
struct SetWifi {
    std::optional<QString> network;
    friend bool operator==(const SetWifi &, const SetWifi &) = default;
};

// The user changes Zorv's Location permission in System Settings.
struct SetLocation {
    LocationStatus status = LocationStatus::NotDetermined;
    friend bool operator==(const SetLocation &, const SetLocation &) = default;
};

// The user turns a Focus on or off.
struct SetFocus {
    bool active = false;
    friend bool operator==(const SetFocus &, const SetFocus &) = default;
};

// The user changes whether Zorv may show notifications.
struct SetNotifications {
    NotificationAuthorization authorization = NotificationAuthorization::NotDetermined;
    friend bool operator==(const SetNotifications &, const SetNotifications &) = default;
};

// Another Mac signed in to the same iCloud account writes a key of the iCloud key-value store,
// or removes it when there is no value; this Mac hears of it as of any other Mac's write.
struct CloudChange {
    QString from;
    QString key;
    std::optional<QByteArray> value;
    friend bool operator==(const CloudChange &, const CloudChange &) = default;
};

} // namespace scenarioaction

using ScenarioAction = std::variant<
    scenarioaction::Launch, scenarioaction::Quit, scenarioaction::AddItem,
    scenarioaction::RemoveItem, scenarioaction::SetTitle, scenarioaction::SetLength,
    scenarioaction::DragItem, scenarioaction::Input, scenarioaction::AddScreen,
    scenarioaction::RemoveScreen, scenarioaction::ChangeScreen, scenarioaction::SetPermission,
    scenarioaction::ActivateDisplay, scenarioaction::Activate, scenarioaction::SetHung,
    scenarioaction::SetDrag, scenarioaction::SetHidden, scenarioaction::SetPreference,
    scenarioaction::MoveZorvIconToLeftEnd, scenarioaction::SetAppearance, scenarioaction::SetPower,
    scenarioaction::SetWifi, scenarioaction::SetLocation, scenarioaction::SetFocus,
    scenarioaction::SetNotifications, scenarioaction::CloudChange>;

// One timed event: what happens, and when, counted from the scenario's start in simulated time.
struct ScenarioEvent {
    std::chrono::nanoseconds at{0};
    ScenarioAction action;

    static ScenarioEvent fromJson(const JsonValueRef &value);

    friend bool operator==(const ScenarioEvent &, const ScenarioEvent &) = default;
};

} // namespace zorv
