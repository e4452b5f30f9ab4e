#include "appmodel.h"
#include "appmodelfakes.h"
#include "cloud/simcloud.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "kit/zorvkit.h"
#include "loginitems/simloginitems.h"
#include "manualclock.h"
#include "mockmenubarengine.h"
#include "modelsearch.h"
#include "preferences/simglobalpreferences.h"
#include "processes/simprocesstable.h"
#include "recordingsystemlog.h"
#include "search/searchpanelcontroller.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <QElapsedTimer>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

double threadCpuSeconds() {
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return double(spent.tv_sec) + double(spent.tv_nsec) / 1e9;
}

// A started app model on a simulated laptop over `count` generated items, every other one with
// an alias of the user's, and the services the panels are made with.
class SearchBar {
public:
    explicit SearchBar(int count)
        : m_desktop(m_clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s}),
          m_workspace(m_desktop.model()),
          m_cloudStore(m_cloud, u"Mac"_s), m_services{m_engine,
                                                      m_desktop.appWindows(),
                                                      m_desktop.eventMonitors(),
                                                      m_desktop.screens(),
                                                      m_clock,
                                                      {},
                                                      {}} {
        m_desktop.arrangement().add(ScreenDescription{});
        ZorvKit::install(m_engine, m_desktop.appearance(), m_clock);
        static const QStringList words{u"Cloud"_s, u"Sync"_s,  u"Timer"_s, u"Weather"_s,
                                       u"Notes"_s, u"Clip"_s,  u"Audio"_s, u"Battery"_s,
                                       u"Focus"_s, u"Vault"_s, u"Stats"_s, u"Mail"_s};
        QList<MenuBarItem> items;
        for (int i = 0; i < count; ++i) {
            const QString name =
                words[i % words.size()] + u" "_s + words[(i / 7) % words.size()] + u" %1"_s.arg(i);
            items.append(MenuBarItem{
                .id = MenuBarItemID{.bundleID = u"com.example.app%1"_s.arg(i),
                                    .axIdentifier = std::nullopt,
                                    .title = name,
                                    .ordinal = 0},
                .pid = 100 + i,
                .appName = name,
                .frame = QRectF(10.0 * i, 0, 22, 24),
                .appIcon = std::nullopt,
                .capturedImage = std::nullopt,
                .section = i % 3 == 0 ? Section::shown : Section::hidden,
                .isNotchObscured = false,
                .isDormant = false,
                .isUnmovable = false,
            });
        }
        AppModelServices services{
            m_clock,      m_log,         m_desktop.accessibility(),
            m_workspace,  m_preferences, m_processes,
            m_cloudStore, m_loginItems,  m_folder.path(),
            u"Mac"_s,     &m_flushPool,  WorkRunner(WorkRunner::Mode::Inline)};
        m_model = std::make_unique<AppModel>(std::make_unique<MockMenuBarEngine>(items),
                                             std::move(services), m_fakes.shell());
        QCoro::waitFor(m_model->start());
        m_clock.settle();
        for (int i = 0; i < count; i += 2) {
            m_model->search().setAlias(u"al%1"_s.arg(i), m_model->items().at(i));
        }
        m_clock.advance(seconds(1));
    }

    ~SearchBar() {
        m_model.reset();
        m_clock.settle();
    }

    [[nodiscard]] AppModel &model() { return *m_model; }
    [[nodiscard]] const PanelServices &services() const { return m_services; }
    [[nodiscard]] ManualClock &clock() { return m_clock; }

private:
    ManualClock m_clock;
    QTemporaryDir m_folder;
    SimulatedDesktop m_desktop;
    SimWorkspace m_workspace;
    SimCloud m_cloud;
    SimCloudKeyValueStore m_cloudStore;
    SimGlobalPreferences m_preferences;
    SimProcessTable m_processes;
    SimLoginItems m_loginItems;
    RecordingSystemLog m_log;
    QThreadPool m_flushPool;
    ShellFakes m_fakes;
    QQmlEngine m_engine;
    PanelServices m_services;
    std::unique_ptr<AppModel> m_model;
};

// Typing a query into the search panel's model over 1,000 items with aliases: each keystroke
// ranks every item against the query and refills the rows. Reported per keystroke, in main-thread
// CPU time.
void SearchKeystroke(benchmark::State &state) {
    SearchBar bar(int(state.range(0)));
    const QString typed = u"weather no"_s;
    SearchPanelModel search(bar.model(), nullptr, {});
    qint64 keystrokes = 0;
    double cpu = 0;
    for (auto _ : state) {
        for (int length = 1; length <= typed.size(); ++length) {
            const double before = threadCpuSeconds();
            search.setQuery(typed.left(length));
            cpu += threadCpuSeconds() - before;
            ++keystrokes;
            benchmark::DoNotOptimize(search.results()->rowCount());
        }
        search.setQuery(QString());
    }
    state.counters["cpu_ms_per_keystroke"] = cpu * 1000 / double(keystrokes);
}
BENCHMARK(SearchKeystroke)->Arg(1000)->Unit(benchmark::kMillisecond);

// The search panel's first frame after the shortcut: a fresh search built in the panel and the
// window drawn once, on 200 items. Wall time per showing.
void SearchPanelFirstFrame(benchmark::State &state) {
    SearchBar bar(int(state.range(0)));
    SearchPanelController panel(bar.model(), bar.services());
    panel.show();
    panel.hide();
    double wall = 0;
    qint64 shows = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        panel.show();
        benchmark::DoNotOptimize(panel.panel()->window().grabWindow());
        wall += double(timer.nsecsElapsed()) / 1e6;
        ++shows;
        state.PauseTiming();
        panel.hide();
        bar.clock().settle();
        state.ResumeTiming();
    }
    state.counters["first_frame_ms"] = wall / double(shows);
}
BENCHMARK(SearchPanelFirstFrame)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorv
