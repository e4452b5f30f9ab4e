#pragma once

#include "dock/dockpresence.h"
#include "hotkeys/shellhotkeys.h"
#include "launch/launchsequence.h"
#include "launch/urlrouter.h"
#include "shellcommands.h"
#include "shellwindows.h"
#include "statusmenu/statusitemcontroller.h"

#include <QObject>

#include <functional>
#include <memory>

namespace zorv {

class Accessibility;
class AppModel;
class HotKeys;
class MenuPresenter;
class StatusItemButton;
class SystemLog;
class Workspace;

// The platform services the shell runs on.
struct ShellPlatform {
    Application &application;
    MenuPresenter &menus;
    HotKeys &hotKeys;
    Accessibility &accessibility;
    Workspace &workspace;
    SystemLog &log;
    Clock &clock;
};

// What the shell takes from the engine and the parts built beside it. Empty functions do
// nothing (the move offer then counts the application as installed).
struct ShellHooks {
    // The engine's own status item.
    StatusItemButton *iconButton = nullptr;
    std::function<void()> forceShowEverything;
    // Installs the engine's callback for a refused tuck.
    std::function<void(std::function<void()>)> setOnTuckRefused;
    // Installs the engine's callback for its icon's status item made anew, with the new button.
    std::function<void(std::function<void(StatusItemButton *)>)> setOnIconReplaced;
    // The update driver's start at launch.
    std::function<void()> startUpdates;
    // Whether the application runs from an Applications folder, and the offer to move it there.
    std::function<bool()> isInstalled;
    std::function<void(std::function<void()> onDismissed)> showMoveOffer;
    // What the status menu shows beside "About Zorv": the short version.
    QString version;
    // Whether the status menu shows an update row at all (the update driver's canUpdate).
    std::function<bool()> canUpdate;
};

// The application shell in normal mode: the status item and its menu, the global hot keys, the
// main menu and Dock presence, the launch sequence, the "zorv" URL scheme, re-opening and
// termination, over one app model. Update-test mode has no shell of its own (UpdateTestLaunch).
// When it goes, as the application quits, so do its menus, main menu and hot keys. Main thread.
class AppDelegate final : public QObject, private LaunchSteps {
    Q_OBJECT

public:
    static inline const QString settingsReturnFile = QStringLiteral("update-settings-return.json");

    // Applies `showInDock`, the Dock presence the entry point read from the settings file before
    // the model's stores existed (JSONStore::peek), at once.
    AppDelegate(AppModel &model, ShellWindows &windows, ShellPlatform platform, ShellHooks hooks,
                LaunchArguments arguments, bool showInDock, QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();

    [[nodiscard]] ShellCommands &commands() { return m_commands; }
    [[nodiscard]] StatusItemController &statusItem() { return m_statusItem; }
    [[nodiscard]] ShellHotKeys &hotKeys() { return m_hotKeys; }
    [[nodiscard]] LaunchSequence &launch() { return m_launch; }
    [[nodiscard]] DockPresence &dockPresence() { return m_dock; }
    [[nodiscard]] UrlRouter &urls() { return m_urls; }
    // What the status menu would show now.
    [[nodiscard]] StatusMenuState menuState() const;

private:
    // LaunchSteps.
    void configureIcon() override;
    void installTuckRefusedLog() override;
    void startUpdates() override;
    void installModelCallbacks() override;
    QCoro::Task<> startModel() override;
    void registerHotKeys() override;
    std::optional<QString> consumeSettingsReturn() override;
    bool isInstalled() override;
    void showMoveOffer(std::function<void()> onDismissed) override;
    bool isTrusted() override;
    void promptForTrust() override;

    void willTerminate();
    void reopen();

    AppModel &m_model;
    ShellWindows &m_windows;
    ShellPlatform m_platform;
    ShellHooks m_hooks;
    ShellCommands m_commands;
    HotKeyCenter m_hotKeyCenter;
    ShellHotKeys m_hotKeys;
    StatusItemController m_statusItem;
    DockPresence m_dock;
    UrlRouter m_urls;
    LaunchSequence m_launch;
};

} // namespace zorv
