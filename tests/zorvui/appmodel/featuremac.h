#pragma once

#include "appmodel/appmodel.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "gatedengine.h"
#include "loginitems/simloginitems.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "simulateddesktop.h"
#include "systemlog/simsystemlog.h"
#include "workspace/simworkspace.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zorv {

// One simulated Mac running an app model over a GatedEngine, with its own data folder and the
// shell's controllers replaced by recorders. Several share one clock and one iCloud account.
class FeatureMac {
public:
    struct Recorded {
        QStringList notifications;
        QList<Appearance> overlays;
        int evaluations = 0;
        int shortcutChanges = 0;
    };

    FeatureMac(ManualClock &clock, SimCloud &cloud, const QString &name,
               QList<MenuBarItem> items = MockMenuBarEngine::fixtures());
    ~FeatureMac();

    // Builds the model (reading whatever the data folder holds) without starting it.
    AppModel &build();
    // Builds when needed and runs start-up to its end.
    AppModel &started();

    [[nodiscard]] AppModel &model() { return *m_model; }
    [[nodiscard]] GatedEngine &engine() { return *m_engine; }
    [[nodiscard]] const QString &folder() const { return m_folderPath; }
    [[nodiscard]] SimGlobalPreferences &preferences() { return m_preferences; }
    [[nodiscard]] SimCloudKeyValueStore &cloudStore() { return m_cloudStore; }
    [[nodiscard]] Recorded &recorded() { return *m_recorded; }

private:
    ManualClock &m_clock;
    QTemporaryDir m_folder;
    QString m_folderPath;
    QString m_name;
    QList<MenuBarItem> m_items;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimSystemLog m_log;
    SimGlobalPreferences m_preferences;
    SimProcessTable m_processes;
    SimCloudKeyValueStore m_cloudStore;
    SimLoginItems m_loginItems;
    std::shared_ptr<Recorded> m_recorded;
    std::unique_ptr<Notifier> m_notifier;
    GatedEngine *m_engine = nullptr;
    std::unique_ptr<AppModel> m_model;
};

// A plain item of an application; `section` is where the scan found it.
[[nodiscard]] MenuBarItem featureItem(const QString &bundleID, const QString &name, qint64 ordinal,
                                      Section section, double x,
                                      std::optional<QString> axIdentifier = std::nullopt);

} // namespace zorv
