#include "scenarioplayer.h"

#include "clockface.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "preferences/simglobalpreferences.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <algorithm>
#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {

using namespace scenarioaction;

namespace {

ScreenDescription screenSpec(const ScreenRecord &screen) {
    ScreenDescription description;
    description.name = screen.name;
    description.size = screen.frame.size();
    description.origin = screen.frame.topLeft();
    description.scale = screen.scale;
    description.menuBarHeight = screen.menuBarHeight;
    description.cameraHousingWidth = screen.cameraHousingWidth;
    description.notHiding = screen.notHiding;
    description.autoHidesMenuBar = screen.autoHidesMenuBar;
    return description;
}

} // namespace

ScenarioPlayer::ScenarioPlayer(const Scenario &scenario, SimulatedDesktop &desktop,
                               SimWorkspace &workspace, SimGlobalPreferences &preferences,
                               SimCloud &cloud)
    : m_scenario(scenario), m_desktop(desktop), m_workspace(workspace), m_preferences(preferences),
      m_cloud(cloud), m_timeline(scenario.applications, scenario.screens) {}

ScenarioPlayer::~ScenarioPlayer() = default;

void ScenarioPlayer::setUp() {
    if (m_scenario.layoutPassDelay) {
        m_desktop.settings().setLayoutPassDelay(*m_scenario.layoutPassDelay);
    }
    m_desktop.permissions().setAccessibilityTrusted(m_scenario.accessibilityTrusted);
    m_desktop.permissions().setScreenRecordingGranted(m_scenario.screenRecordingGranted);
    m_desktop.appearance().setDark(m_scenario.darkAppearance);
    for (auto preference = m_scenario.preferences.cbegin();
         preference != m_scenario.preferences.cend(); ++preference) {
        m_preferences.setStoredValue(preference.key(), preference.value());
    }
    // This process started with the desktop; on the Mac the scenario describes it launches into
    // these settings like everyone else.
    m_desktop.applications().readLaunchSettings(m_desktop.applications().currentProcessId());
    for (const ScreenRecord &screen : m_scenario.screens) {
        addScreen(screen);
    }
    if (m_scenario.activeDisplay) {
        m_desktop.arrangement().setMainScreen(m_displays.value(*m_scenario.activeDisplay));
    }
    const QString zorvKey = m_desktop.applications()
                                .application(m_desktop.applications().currentProcessId())
                                ->positionKey();
    for (auto position = m_scenario.zorvPositions.cbegin();
         position != m_scenario.zorvPositions.cend(); ++position) {
        m_desktop.items().setRememberedPosition(zorvKey, position.key(), position.value());
    }
    for (auto owner = m_scenario.rememberedPositions.cbegin();
         owner != m_scenario.rememberedPositions.cend(); ++owner) {
        for (auto position = owner->cbegin(); position != owner->cend(); ++position) {
            m_desktop.items().setRememberedPosition(owner.key(), position.key(), position.value());
        }
    }
    for (const ScenarioApplication &app : m_scenario.applications) {
        if (!app.path.isEmpty()) {
            m_workspace.install({*app.bundleIdentifier, app.path, app.icon});
        }
    }
    for (const ScenarioApplication &app : m_scenario.applications) {
        if (app.running) {
            launch(app);
        }
    }
    for (const ScenarioApplication &app : m_scenario.applications) {
        if (app.frontmost) {
            m_desktop.applications().activate(m_processIds.value(app.ref));
        }
    }
    // The Mac described has been up for a while: whatever starts on it finds its bar laid out.
    m_desktop.model().layOutNow();
}

void ScenarioPlayer::addScreen(const ScreenRecord &screen) {
    const DisplayId display = m_desktop.arrangement().add(screenSpec(screen));
    m_displays.insert(screen.displayId, display);
    const auto picture = m_scenario.desktopPictures.constFind(screen.displayId);
    if (picture != m_scenario.desktopPictures.cend()) {
        m_desktop.desktopPictures().setPicture(display, *picture);
    }
}

void ScenarioPlayer::launch(const ScenarioApplication &app) {
    AppDescription description;
    description.bundleIdentifier = app.bundleIdentifier;
    description.localizedName = app.name;
    description.activationPolicy = app.activationPolicy;
    description.menusWidth = app.menusWidth;
    description.dragAcceptance = app.drag;
    const qint32 processId = m_desktop.applications().launch(description);
    if (app.hung) {
        m_desktop.applications().setHung(processId, true);
    }
    m_processIds.insert(app.ref, processId);
    for (const ScenarioItem &item : app.items) {
        addItem(processId, item);
    }
}

void ScenarioPlayer::addItem(qint32 processId, const ScenarioItem &item) {
    ItemDescription description;
    description.length = item.length;
    description.title = item.title;
    if (!item.autosaveName.isEmpty()) {
        description.autosaveName = item.autosaveName;
    }
    description.identifier = item.identifier;
    description.accessibilityDescription = item.description;
    description.glyph = item.glyph;
    description.immovable = item.immovable;
    if (item.clock) {
        description.title = ClockFace::title(m_desktop.model().clock().wallNow());
        description.length = ClockFace::length(description.title);
    }
    const std::optional<quint64> id = m_desktop.items().add(processId, description);
    if (!id) {
        return;
    }
    if (item.hidden) {
        m_desktop.items().setButtonHidden(*id, true);
    }
    if (item.clock) {
        m_clockItems.insert(*id);
    }
}

void ScenarioPlayer::updateClocks(const QDateTime &wallTime) {
    const QString title = ClockFace::title(wallTime);
    for (auto id = m_clockItems.begin(); id != m_clockItems.end();) {
        // An item that went with its application is gone for good; a relaunch makes a new one.
        if (!m_desktop.items().setTitle(*id, title)) {
            id = m_clockItems.erase(id);
            continue;
        }
        m_desktop.items().setLength(*id, ClockFace::length(title));
        ++id;
    }
}

std::optional<qint32> ScenarioPlayer::processId(const QString &app) const {
    const auto found = m_processIds.constFind(app);
    return found != m_processIds.cend() ? std::optional(*found) : std::nullopt;
}

std::optional<quint64> ScenarioPlayer::itemId(const QString &app, const QString &item) const {
    const auto process = processId(app);
    return process ? m_desktop.items().find(*process, item) : std::nullopt;
}

std::optional<DisplayId> ScenarioPlayer::displayId(DisplayId scenarioDisplay) const {
    const auto found = m_displays.constFind(scenarioDisplay);
    return found != m_displays.cend() ? std::optional(*found) : std::nullopt;
}

void ScenarioPlayer::applyInput(const Input &input) {
    zorv::UserInput &hands = m_desktop.userInput();
    // The keys held on their own stay down; the input's own go down and up around it.
    const quint64 alreadyHeld = m_heldModifiers;
    const auto holding = [&](const std::function<void(quint64 flags)> &act) {
        hands.holding(input.modifiers & ~alreadyHeld,
                      [&](quint64 held) { act(held | alreadyHeld); });
    };
    switch (input.kind) {
    case Input::Kind::MouseMove:
        hands.moveMouse(input.location);
        break;
    case Input::Kind::LeftClick:
        holding([&](quint64 flags) { hands.click(input.location, MouseButton::Left, flags); });
        break;
    case Input::Kind::RightClick:
        holding([&](quint64 flags) { hands.click(input.location, MouseButton::Right, flags); });
        break;
    case Input::Kind::Drag:
        holding([&](quint64 flags) { hands.drag(input.location, input.to, flags); });
        break;
    case Input::Kind::Scroll:
        hands.moveMouse(input.location);
        hands.scroll(input.scroll);
        break;
    case Input::Kind::Key:
        holding([&](quint64 flags) { hands.pressKey(input.keyCode, flags); });
        break;
    case Input::Kind::Type:
        hands.type(input.text);
        break;
    case Input::Kind::ModifierDown:
    case Input::Kind::ModifierUp:
        applyModifierKey(input);
        break;
    }
}

void ScenarioPlayer::applyModifierKey(const Input &input) {
    static constexpr std::array<std::pair<quint64, quint16>, 4> keys{{
        {EventFlags::command, KeyCode::command},
        {EventFlags::option, KeyCode::option},
        {EventFlags::control, KeyCode::control},
        {EventFlags::shift, KeyCode::shift},
    }};
    const auto key = std::ranges::find(keys, input.modifier, &std::pair<quint64, quint16>::first);
    if (key == keys.end()) {
        return;
    }
    zorv::UserInput &hands = m_desktop.userInput();
    if (input.kind == Input::Kind::ModifierDown) {
        m_heldModifiers |= input.modifier;
        hands.keyDown(key->second, m_heldModifiers);
    } else {
        m_heldModifiers &= ~input.modifier;
        hands.keyUp(key->second, m_heldModifiers);
    }
}

std::optional<QString> ScenarioPlayer::apply(const ScenarioAction &action) {
    // Events were checked against a timeline when the scenario was read, so every name resolves;
    // this timeline only follows what a relaunched application is like.
    m_timeline.apply(action);
    if (const auto *launchEvent = std::get_if<Launch>(&action)) {
        launch(*m_timeline.application(launchEvent->app));
        return std::nullopt;
    }
    if (applyToItem(action) || applyToApplication(action) || applyToScreen(action)) {
        return std::nullopt;
    }
    return applyToBar(action);
}

bool ScenarioPlayer::applyToItem(const ScenarioAction &action) {
    BarItems &items = m_desktop.items();
    if (const auto *add = std::get_if<AddItem>(&action)) {
        addItem(m_processIds.value(add->app), add->item);
    } else if (const auto *remove = std::get_if<RemoveItem>(&action)) {
        items.remove(itemId(remove->app, remove->item).value_or(0));
    } else if (const auto *title = std::get_if<SetTitle>(&action)) {
        items.setTitle(itemId(title->app, title->item).value_or(0), title->title);
    } else if (const auto *length = std::get_if<SetLength>(&action)) {
        items.setLength(itemId(length->app, length->item).value_or(0), length->length);
    } else if (const auto *hidden = std::get_if<SetHidden>(&action)) {
        items.setButtonHidden(itemId(hidden->app, hidden->item).value_or(0), hidden->hidden);
    } else {
        return false;
    }
    return true;
}

bool ScenarioPlayer::applyToApplication(const ScenarioAction &action) {
    ApplicationRegistry &apps = m_desktop.applications();
    if (const auto *quit = std::get_if<Quit>(&action)) {
        apps.quit(m_processIds.take(quit->app));
    } else if (const auto *activate = std::get_if<Activate>(&action)) {
        const qint32 processId = m_processIds.value(activate->app);
        if (activate->menusWidth) {
            apps.setMenusWidth(processId, *activate->menusWidth);
        }
        apps.activate(processId);
    } else if (const auto *hung = std::get_if<SetHung>(&action)) {
        apps.setHung(m_processIds.value(hung->app), hung->hung);
    } else if (const auto *drag = std::get_if<SetDrag>(&action)) {
        apps.setDragAcceptance(m_processIds.value(drag->app), drag->drag);
    } else if (const auto *preference = std::get_if<SetPreference>(&action)) {
        m_preferences.setStoredValue(preference->key, preference->value);
    } else if (const auto *permission = std::get_if<SetPermission>(&action)) {
        if (permission->permission == SetPermission::Permission::Accessibility) {
            m_desktop.permissions().setAccessibilityTrusted(permission->granted);
        } else {
            m_desktop.permissions().setScreenRecordingGranted(permission->granted);
        }
    } else {
        return false;
    }
    return true;
}

bool ScenarioPlayer::applyToScreen(const ScenarioAction &action) {
    ScreenArrangement &arrangement = m_desktop.arrangement();
    if (const auto *addScreenEvent = std::get_if<AddScreen>(&action)) {
        addScreen(addScreenEvent->screen);
    } else if (const auto *removeScreen = std::get_if<RemoveScreen>(&action)) {
        arrangement.remove(m_displays.take(removeScreen->display));
    } else if (const auto *change = std::get_if<ChangeScreen>(&action)) {
        const DisplayId display = m_displays.value(change->display);
        if (change->frame) {
            arrangement.move(display, change->frame->topLeft());
            arrangement.resize(display, change->frame->size());
        }
        if (change->autoHidesMenuBar) {
            arrangement.setAutoHidesMenuBar(display, *change->autoHidesMenuBar);
        }
        if (change->notHiding) {
            arrangement.setNotHiding(display, *change->notHiding);
        }
    } else if (const auto *active = std::get_if<ActivateDisplay>(&action)) {
        arrangement.setMainScreen(m_displays.value(active->display));
    } else {
        return false;
    }
    return true;
}

std::optional<QString> ScenarioPlayer::applyToBar(const ScenarioAction &action) {
    if (const auto *drag = std::get_if<DragItem>(&action)) {
        if (!m_desktop.userInput().commandDragItem(itemId(drag->app, drag->item).value_or(0),
                                                   drag->toX)) {
            return u"\"%1\" of \"%2\" is not visible on the bar, so it could not be dragged."_s.arg(
                drag->item, drag->app);
        }
    } else if (const auto *input = std::get_if<Input>(&action)) {
        applyInput(*input);
    } else if (std::holds_alternative<MoveZorvIconToLeftEnd>(action)) {
        const auto icon = m_desktop.items().find(m_desktop.applications().currentProcessId(),
                                                 BarItems::zorvIconName);
        if (!icon) {
            return u"Zorv has no icon on the bar, so the system could not move it."_s;
        }
        m_desktop.items().moveToIndex(*icon, 0);
    } else if (const auto *appearance = std::get_if<SetAppearance>(&action)) {
        m_desktop.appearance().setDark(appearance->dark);
    } else {
        applyToContext(action);
    }
    return std::nullopt;
}

void ScenarioPlayer::applyToContext(const ScenarioAction &action) {
    if (const auto *power = std::get_if<SetPower>(&action)) {
        if (power->percent) {
            m_desktop.powerSources().setBattery(*power->percent, power->charging, power->onBattery);
        } else {
            m_desktop.powerSources().removeBattery();
        }
    } else if (const auto *wifi = std::get_if<SetWifi>(&action)) {
        m_desktop.wifi().join(wifi->network);
    } else if (const auto *location = std::get_if<SetLocation>(&action)) {
        m_desktop.location().setStatus(location->status);
    } else if (const auto *focus = std::get_if<SetFocus>(&action)) {
        m_desktop.focus().setFocusActive(focus->active);
    } else if (const auto *notifications = std::get_if<SetNotifications>(&action)) {
        m_desktop.notifications().setAuthorization(notifications->authorization);
    } else if (const auto *change = std::get_if<CloudChange>(&action)) {
        SimCloudKeyValueStore &mac = otherMac(change->from);
        if (change->value) {
            mac.setData(*change->value, change->key);
        } else {
            mac.removeObject(change->key);
        }
    }
}

SimCloudKeyValueStore &ScenarioPlayer::otherMac(const QString &name) {
    std::unique_ptr<SimCloudKeyValueStore> &mac = m_otherMacs[name];
    if (!mac) {
        mac = std::make_unique<SimCloudKeyValueStore>(m_cloud, name);
    }
    return *mac;
}

} // namespace zorv
