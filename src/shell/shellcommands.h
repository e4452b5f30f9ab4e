#pragma once

#include "shellwindows.h"

#include <QUrl>
#include <QVariant>

#include <functional>

namespace zorv {

class AppModel;
class Application;
class Workspace;

// What the status menu's and the main menu's rows and the reveal hot key do, each a call that
// returns at once (work on the engine runs in tasks of its own). Main thread.
class ShellCommands {
public:
    // The product's web site.
    static inline const QUrl website = QUrl(QStringLiteral("https://zorv.app"));

    // `forceShowEverything` is the engine's emergency reveal of every section.
    ShellCommands(AppModel &model, ShellWindows &windows, Application &application,
                  Workspace &workspace, std::function<void()> forceShowEverything);

    void toggleReveal();
    // Reveals or tucks the always-hidden section along with the hidden one.
    void toggleRevealAll();
    void sortMyBar();
    // The represented object of a profile row: its id; anything else is ignored.
    void switchProfile(const QVariant &representedObject);
    void openSettings();
    void openSearch();
    void showAbout();
    // The settings pane with the update card, and in front of it the updater's window when one is
    // open.
    void openUpdates();
    void startTour();
    void reportProblem();
    void openHelpPage();
    // The system's Accessibility settings, where the permission is granted.
    void openAccessibilitySettings();
    void quit();
    // The reveal hot key: everything comes out while nothing is revealed, else it tucks again.
    void revealFromHotKey();

private:
    AppModel &m_model;
    ShellWindows &m_windows;
    Application &m_application;
    Workspace &m_workspace;
    std::function<void()> m_forceShowEverything;
};

} // namespace zorv
