#include "simulatedplatform.h"

#include "appicon/zorvappicon.h"
#include "application/menubartitles.h"
#include "preferences/statusitemspacing.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

AppDescription thisProcess() {
    AppDescription description;
    description.bundleIdentifier = SimulatedPlatform::bundleIdentifier;
    description.localizedName = SimulatedPlatform::applicationName;
    description.activationPolicy = ActivationPolicy::Accessory;
    // The Apple menu, until a main menu of its own is set.
    description.menusWidth = MenuBarTitles::menusWidth({});
    return description;
}

} // namespace

SimulatedPlatform::SimulatedPlatform(Clock &clock, Scenario scenario, bool echoSystemLog)
    : m_clock(clock), m_desktop(clock, thisProcess()), m_workspace(m_desktop.model()),
      m_systemLog(echoSystemLog), m_cloudStore(m_cloud, u"This Mac"_s),
      m_runner(std::move(scenario), m_desktop, m_workspace, m_preferences, m_cloud),
      m_updater(clock, m_desktop.systemFacts()), m_fileSystem(m_disk.path()) {
    linkStatusItemSpacing(m_preferences, m_desktop.applications());
    // The bundle ships its icon at the largest size the Dock and Finder ask of it.
    m_workspace.install({bundleIdentifier, u"/Applications/Zorv.app"_s,
                         ApplicationIcon{.artwork = ZorvAppIcon::image(512)}});
    m_desktop.systemFacts().setBundleInfoString(u"CFBundleShortVersionString"_s,
                                                QStringLiteral(ZORV_VERSION));
    m_desktop.systemFacts().setBundleInfoString(u"CFBundleVersion"_s, QStringLiteral(ZORV_BUILD));
    m_desktop.systemFacts().setBundleInfoString(u"CFBundleName"_s, applicationName);
    const Scenario &described = m_runner.scenario();
    m_fileSystem.installBundle(described.bundle.path);
    m_fileSystem.setRunningBundle(described.bundle.path);
    if (described.bundle.translocated) {
        m_fileSystem.translocate(described.bundle.path);
    }
    if (described.updates) {
        m_desktop.systemFacts().setBundleInfoString(u"SUFeedURL"_s, described.updates->feedUrl());
        m_updater.setOutcome(described.updates->outcome);
        m_updater.setCanCheck(described.updates->canCheck);
        m_updater.setAutomaticallyChecksForUpdates(described.updates->automaticChecks);
    }
    // The user logged in an hour before the simulation starts.
    m_processTable.logIn(m_processTable.currentUserId(), clock.wallNow().addSecs(-3600));
}

void SimulatedPlatform::start() {
    if (!std::exchange(m_started, true)) {
        m_runner.start();
    }
}

bool SimulatedPlatform::installChosenUpdate() {
    const std::optional<AppcastItem> update = m_updater.takeInstalledUpdate();
    if (!update) {
        return false;
    }
    m_desktop.systemFacts().setBundleInfoString(u"CFBundleVersion"_s, update->version);
    m_desktop.systemFacts().setBundleInfoString(u"CFBundleShortVersionString"_s,
                                                update->displayVersionString);
    return true;
}

} // namespace zorv
