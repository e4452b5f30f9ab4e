#pragma once

#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "install/simfilesystem.h"
#include "install/simprocesslauncher.h"
#include "loginitems/simloginitems.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "scenario/scenariorunner.h"
#include "simulateddesktop.h"
#include "systemlog/simsystemlog.h"
#include "updates/simupdater.h"
#include "workspace/simworkspace.h"

#include <QTemporaryDir>

namespace zorv {

// The platform Zorv runs on here: one simulated Mac with every service of the platform layer,
// set up and then driven by a scenario. The composition root builds one; tests build one with a
// small scenario on a manual clock. Main thread.
class SimulatedPlatform {
public:
    // This process as the simulated Mac knows it.
    static inline const QString bundleIdentifier = QStringLiteral("app.zorv.Zorv");
    static inline const QString applicationName = QStringLiteral("Zorv");

    // `echoSystemLog`: also print the system log's lines on standard error.
    SimulatedPlatform(Clock &clock, Scenario scenario, bool echoSystemLog);
    SimulatedPlatform(const SimulatedPlatform &) = delete;
    SimulatedPlatform &operator=(const SimulatedPlatform &) = delete;

    // Sets the Mac up as the scenario describes and starts its timed events, at the first call:
    // Zorv launched again on the same Mac finds it running.
    void start();

    // The installer's part once Zorv quit for an update the user chose to install: the bundle
    // becomes that build ("CFBundleVersion" and "CFBundleShortVersionString" are the update's).
    // False when no installation waits.
    bool installChosenUpdate();

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] SimulatedDesktop &desktop() { return m_desktop; }
    [[nodiscard]] SimWorkspace &workspace() { return m_workspace; }
    [[nodiscard]] SimSystemLog &systemLog() { return m_systemLog; }
    [[nodiscard]] SimGlobalPreferences &preferences() { return m_preferences; }
    [[nodiscard]] SimProcessTable &processTable() { return m_processTable; }
    [[nodiscard]] SimCloudKeyValueStore &cloudStore() { return m_cloudStore; }
    // The iCloud account this Mac is signed in to; other simulated Macs join it.
    [[nodiscard]] SimCloud &cloud() { return m_cloud; }
    [[nodiscard]] SimLoginItems &loginItems() { return m_loginItems; }
    [[nodiscard]] ScenarioRunner &scenario() { return m_runner; }
    [[nodiscard]] SimUpdater &updater() { return m_updater; }
    // The Mac's disk, rooted in a temporary folder, with this application installed in
    // "/Applications".
    [[nodiscard]] SimFileSystem &fileSystem() { return m_fileSystem; }
    [[nodiscard]] SimProcessLauncher &processLauncher() { return m_processLauncher; }

private:
    Clock &m_clock;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimSystemLog m_systemLog;
    SimGlobalPreferences m_preferences;
    SimProcessTable m_processTable;
    SimCloud m_cloud;
    SimCloudKeyValueStore m_cloudStore;
    SimLoginItems m_loginItems;
    ScenarioRunner m_runner;
    SimUpdater m_updater;
    QTemporaryDir m_disk;
    SimFileSystem m_fileSystem;
    SimProcessLauncher m_processLauncher;
    bool m_started = false;
};

} // namespace zorv
