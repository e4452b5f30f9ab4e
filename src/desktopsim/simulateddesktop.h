#pragma once

#include "accessibility/simaccessibility.h"
#include "appearance/simdesktoppictures.h"
#include "appearance/simsystemappearance.h"
#include "application/simapplication.h"
#include "capture/simscreencapture.h"
#include "context/simfocusstatus.h"
#include "context/simlocationauthorization.h"
#include "context/simpowersources.h"
#include "context/simscripting.h"
#include "context/simusernotifications.h"
#include "context/simwificlient.h"
#include "hotkeys/simhotkeys.h"
#include "input/simeventmonitors.h"
#include "input/siminputevents.h"
#include "menus/simmenus.h"
#include "model/desktopmodel.h"
#include "preferences/simapppreferences.h"
#include "screens/simscreens.h"
#include "script/applicationregistry.h"
#include "script/baritems.h"
#include "script/desktopreadout.h"
#include "script/desktopsettings.h"
#include "script/permissions.h"
#include "script/screenarrangement.h"
#include "script/userinput.h"
#include "statusbar/simstatusbar.h"
#include "statusbar/simtooltips.h"
#include "system/simfilepanels.h"
#include "system/simfileviewer.h"
#include "system/simpasteboard.h"
#include "system/simsystemfacts.h"
#include "windows/simappwindows.h"
#include "windows/simwindowlist.h"

#include <QObject>

namespace zorv {

// A simulated Mac: one DesktopModel with the platform services it implements (status bar,
// accessibility, input events, screen capture, screens) and the script and inspection API that
// tests and scenarios drive it with. Everything time-based runs on the clock it is given.
//
// The desktop starts with no screen and with one running application, this process, described
// by `currentProcess`; the status bar creates that application's items. Services that need more
// of the Mac (workspace, preferences, sync store, process table) are built beside it over the
// same model and registry.
class SimulatedDesktop : public QObject {
    Q_OBJECT

public:
    SimulatedDesktop(Clock &clock, const AppDescription &currentProcess, QObject *parent = nullptr);
    ~SimulatedDesktop() override;

    [[nodiscard]] DesktopModel &model() { return m_model; }

    // Script and inspection.
    [[nodiscard]] ApplicationRegistry &applications() { return m_applications; }
    [[nodiscard]] BarItems &items() { return m_items; }
    [[nodiscard]] ScreenArrangement &arrangement() { return m_arrangement; }
    [[nodiscard]] Permissions &permissions() { return m_permissions; }
    [[nodiscard]] DesktopSettings &settings() { return m_settings; }
    [[nodiscard]] UserInput &userInput() { return m_userInput; }
    [[nodiscard]] DesktopReadout &readout() { return m_readout; }

    // Platform services.
    [[nodiscard]] StatusBar &statusBar() { return m_statusBar; }
    // This process's own preferences domain, where its status items' positions are kept.
    [[nodiscard]] AppPreferences &appPreferences() { return m_appPreferences; }
    [[nodiscard]] Accessibility &accessibility() { return m_accessibility; }
    [[nodiscard]] InputEvents &inputEvents() { return m_inputEvents; }
    [[nodiscard]] ScreenCapture &screenCapture() { return m_screenCapture; }
    [[nodiscard]] Screens &screens() { return m_screens; }
    [[nodiscard]] WindowList &windowList() { return m_windowList; }
    [[nodiscard]] SimSystemFacts &systemFacts() { return m_systemFacts; }
    [[nodiscard]] SimFileViewer &fileViewer() { return m_fileViewer; }
    [[nodiscard]] SimFilePanels &filePanels() { return m_filePanels; }
    [[nodiscard]] SimPasteboard &pasteboard() { return m_pasteboard; }
    // The effective appearance, the desktop pictures and this application's windows; each is
    // also its own script API (setDark, setPicture, the windows' user* calls).
    [[nodiscard]] SimSystemAppearance &appearance() { return m_appearance; }
    [[nodiscard]] SimDesktopPictures &desktopPictures() { return m_desktopPictures; }
    [[nodiscard]] SimAppWindows &appWindows() { return m_appWindows; }
    // This process's application object, its pop-up menus and the global hot keys; each is also
    // its own script API.
    [[nodiscard]] SimApplication &application() { return m_application; }
    [[nodiscard]] SimMenus &menus() { return m_menus; }
    [[nodiscard]] SimHotKeys &hotKeys() { return m_hotKeys; }
    // Global event monitors: they hear the user's input that is not aimed at this application's
    // windows.
    [[nodiscard]] SimEventMonitors &eventMonitors() { return m_eventMonitors; }
    // The status items' tool tips as the user's pointer brings them up.
    [[nodiscard]] SimToolTips &toolTips() { return m_toolTips; }
    // What rules watch and use: power, Wi-Fi (with the Location permission it needs), Focus,
    // notifications and scripts; each is also its own script API.
    [[nodiscard]] SimPowerSources &powerSources() { return m_powerSources; }
    [[nodiscard]] SimLocationAuthorization &location() { return m_location; }
    [[nodiscard]] SimWifiClient &wifi() { return m_wifi; }
    [[nodiscard]] SimFocusStatus &focus() { return m_focus; }
    [[nodiscard]] SimUserNotifications &notifications() { return m_notifications; }
    [[nodiscard]] SimScripting &scripting() { return m_scripting; }

private:
    // Routes one of the user's events to the open menu, then to the application's windows, then,
    // when it was neither's, to the global monitors. Main thread.
    // Where the window server sent one of the user's events before any window saw it.
    enum class UserEventTarget { HotKey, OwnStatusItem, Other };

    [[nodiscard]] static UserEventTarget targetOf(const DesktopState &state,
                                                  std::chrono::nanoseconds now, EventType type,
                                                  QPointF cursor, quint16 keyCode,
                                                  quint64 flags);
    void routeUserEvent(EventType type, QPointF cursor, quint16 keyCode, quint64 flags,
                        QPointF scrollDelta, bool toItemMenu);

    DesktopModel m_model;
    ApplicationRegistry m_applications;
    BarItems m_items;
    ScreenArrangement m_arrangement;
    Permissions m_permissions;
    DesktopSettings m_settings;
    UserInput m_userInput;
    DesktopReadout m_readout;
    SimStatusBar m_statusBar;
    SimAppPreferences m_appPreferences;
    SimAccessibility m_accessibility;
    SimInputEvents m_inputEvents;
    SimScreenCapture m_screenCapture;
    SimScreens m_screens;
    SimSystemFacts m_systemFacts;
    SimFileViewer m_fileViewer;
    SimFilePanels m_filePanels;
    SimPasteboard m_pasteboard;
    SimSystemAppearance m_appearance;
    SimDesktopPictures m_desktopPictures;
    SimAppWindows m_appWindows;
    SimApplication m_application;
    SimMenus m_menus;
    SimWindowList m_windowList{m_model, m_menus};
    SimHotKeys m_hotKeys;
    SimEventMonitors m_eventMonitors;
    SimToolTips m_toolTips;
    SimPowerSources m_powerSources;
    SimLocationAuthorization m_location;
    SimWifiClient m_wifi{m_location};
    SimFocusStatus m_focus;
    SimUserNotifications m_notifications;
    SimScripting m_scripting;
};

} // namespace zorv
