#pragma once

#include "appmodel.h"
#include "appmodelfakes.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "coroutinetest.h"
#include "gatedengine.h"
#include "loginitems/simloginitems.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "recordingsystemlog.h"
#include "simulateddesktop.h"
#include "skewedclock.h"
#include "workspace/simworkspace.h"

#include <QTemporaryDir>

#include <memory>

namespace zorv {

// The profiles as a fresh model reads them back: the store keeps no system-pinned item in a
// profile's layout, and no item twice.
inline ProfileSet asStored(ProfileSet profiles) {
    for (Profile &profile : profiles.profiles) {
        profile.layout = profile.layout.normalized();
    }
    return profiles;
}

// One simulated Mac with an app model over a GatedEngine: its own data folder, system services
// and recording shell fakes; the clock and the iCloud account are the test's, so several Macs can
// share them. Header only, for the suites that link ZorvUI and DesktopSim.
class AppModelHarness {
public:
    AppModelHarness(ManualClock &clock, SimCloud &cloud,
                    const QString &deviceName = QStringLiteral("Mac A"),
                    QList<MenuBarItem> items = MockMenuBarEngine::fixtures())
        : m_clock(clock), m_modelClock(clock), m_desktop(clock, thisProcess()),
          m_workspace(m_desktop.model()), m_cloudStore(cloud, deviceName), m_deviceName(deviceName),
          m_items(std::move(items)) {}

    // Builds the model over whatever the data folder holds, without starting it.
    AppModel &build() {
        auto engine = std::make_unique<GatedEngine>(m_items, m_clock);
        m_engine = engine.get();
        m_engine->setCallLog(&fakes.log);
        AppModelServices services{m_modelClock, log,         m_desktop.accessibility(),
                                  m_workspace,  preferences, processes,
                                  m_cloudStore, loginItems,  m_folder.path(),
                                  m_deviceName, &flushPool,  WorkRunner(WorkRunner::Mode::Inline)};
        m_model = std::make_unique<AppModel>(std::move(engine), std::move(services), fakes.shell());
        return *m_model;
    }

    // Builds when needed and runs start-up to its end (the engine's first scans included).
    AppModel &started() {
        if (!m_model) {
            build();
        }
        runTask(m_model->start());
        m_clock.settle();
        return *m_model;
    }

    void advance(double seconds) { m_clock.advance(zorv::seconds(seconds)); }
    // Sets this Mac's wall clock `seconds` away from the shared one, for the model's dates.
    void setClockOffset(double seconds) { m_modelClock.setOffset(zorv::seconds(seconds)); }

    [[nodiscard]] AppModel &model() { return *m_model; }
    [[nodiscard]] GatedEngine &engine() { return *m_engine; }
    [[nodiscard]] QString dataFolder() const { return m_folder.path(); }
    [[nodiscard]] SimulatedDesktop &desktop() { return m_desktop; }
    [[nodiscard]] SimWorkspace &workspace() { return m_workspace; }
    [[nodiscard]] SimCloudKeyValueStore &cloudStore() { return m_cloudStore; }
    // Destroys the model (and its engine), keeping the data folder for a next build(). The
    // engine's item stream wakes the model's consumer with its end through the event loop.
    void quit() {
        m_model.reset();
        m_clock.settle();
    }
    ~AppModelHarness() { quit(); }
    AppModelHarness(const AppModelHarness &) = delete;
    AppModelHarness &operator=(const AppModelHarness &) = delete;

    ShellFakes fakes;
    RecordingSystemLog log;
    SimGlobalPreferences preferences;
    SimProcessTable processes;
    SimLoginItems loginItems;
    QThreadPool flushPool;

private:
    static AppDescription thisProcess() {
        AppDescription description;
        description.bundleIdentifier = QStringLiteral("app.zorv.Zorv");
        description.localizedName = QStringLiteral("Zorv");
        return description;
    }

    ManualClock &m_clock;
    SkewedClock m_modelClock;
    QTemporaryDir m_folder;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimCloudKeyValueStore m_cloudStore;
    QString m_deviceName;
    QList<MenuBarItem> m_items;
    GatedEngine *m_engine = nullptr;
    std::unique_ptr<AppModel> m_model;
};

} // namespace zorv
