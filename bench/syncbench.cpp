#include "appmodel.h"
#include "appmodelfakes.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "jsonwriter.h"
#include "loginitems/simloginitems.h"
#include "manualclock.h"
#include "mockmenubarengine.h"
#include "modelsync.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "recordingsystemlog.h"
#include "simulateddesktop.h"
#include "storage/atomicfile.h"
#include "workspace/simworkspace.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// One Mac whose settings hold `aliases` item aliases, with its app model started over a mock
// engine and, when asked, syncing through a simulated iCloud account.
class AliasHeavyMac {
public:
    AliasHeavyMac(int aliases, bool syncing)
        : m_desktop(m_clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s}),
          m_workspace(m_desktop.model()), m_cloudStore(m_cloud, u"Mac"_s) {
        Settings settings;
        for (int index = 0; index < aliases; ++index) {
            settings.itemAliases.append(
                ItemAlias{u"com.example.app%1|item"_s.arg(index), u"Alias %1"_s.arg(index)});
        }
        (void)writeFileAtomically(m_folder.filePath(u"settings.json"_s),
                                  *writeJson(toStoreJson(settings), JsonFormat::pretty()),
                                  FileDurability::Unsynced);
        auto engine = std::make_unique<MockMenuBarEngine>(MockMenuBarEngine::fixtures());
        m_engine = engine.get();
        AppModelServices services{
            m_clock,      m_log,         m_desktop.accessibility(),
            m_workspace,  m_preferences, m_processes,
            m_cloudStore, m_loginItems,  m_folder.path(),
            u"Mac"_s,     nullptr,       WorkRunner(WorkRunner::Mode::Inline)};
        m_model =
            std::make_unique<AppModel>(std::move(engine), std::move(services), m_fakes.shell());
        m_model->start();
        m_clock.settle();
        if (syncing) {
            m_model->sync().setCloudSync(true);
        }
        // Whatever start-up saves is written before the measuring starts.
        m_clock.advance(seconds(1));
    }

    // The engine reports a new wanted layout: the model adopts it, saves it (after the stores'
    // quiet period) and, with sync on, pushes it.
    void reportLayout(int round) {
        SectionLayout layout;
        QList<MenuBarItemID> &shown = layout.sections[Section::shown];
        for (const MenuBarItem &item : MockMenuBarEngine::fixtures()) {
            if (!item.id.isSystemPinned()) {
                shown.append(item.id);
            }
        }
        shown.move(0, 1 + round % (shown.size() - 1));
        m_engine->onLayoutChanged()(layout);
        m_clock.advance(seconds(AppModel::storeDebounceSeconds + 0.1));
    }

    [[nodiscard]] qsizetype cloudWrites() const { return m_cloud.writes().size(); }
    [[nodiscard]] qsizetype aliases() const { return m_model->settings().itemAliases.size(); }

private:
    ManualClock m_clock;
    QTemporaryDir m_folder;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimCloud m_cloud;
    SimCloudKeyValueStore m_cloudStore;
    RecordingSystemLog m_log;
    SimGlobalPreferences m_preferences;
    SimProcessTable m_processes;
    SimLoginItems m_loginItems;
    ShellFakes m_fakes;
    MockMenuBarEngine *m_engine = nullptr;
    std::unique_ptr<AppModel> m_model;
};

// One save of a layout change with 150,000 aliases in the settings: argument 0 with sync off,
// 1 with sync on.
void layoutSaveWithManyAliases(benchmark::State &state) {
    AliasHeavyMac mac(150'000, state.range(0) != 0);
    int round = 0;
    const qsizetype writesBefore = mac.cloudWrites();
    for (auto _ : state) {
        mac.reportLayout(++round);
    }
    state.counters["aliases"] = double(mac.aliases());
    state.counters["pushes"] = benchmark::Counter(double(mac.cloudWrites() - writesBefore),
                                                  benchmark::Counter::kAvgIterations);
}

} // namespace
} // namespace zorv

BENCHMARK(zorv::layoutSaveWithManyAliases)
    ->Arg(0)
    ->Arg(1)
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond);
