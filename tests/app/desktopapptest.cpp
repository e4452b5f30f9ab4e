#include "desktopapp.h"
#include "desktopdump.h"
#include "desktopsnapshot.h"
#include "engine/classicengine.h"
#include "itemtree.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "keptpositionsfile.h"
#include "manualclock.h"
#include "scenario/clockface.h"
#include "scenario/scenarioloader.h"
#include "simoptions.h"
#include "simulatedplatform.h"
#include "storage/storevalue.h"
#include "storage/zorvpaths.h"
#include "workerclockdriver.h"
#include "workrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr auto smallMac = R"({
    "name": "small",
    "start": "2026-12-01T09:00:00Z",
    "screens": [{"name": "Screen", "frame": {"x": 0, "y": 0, "width": 1000, "height": 700}}],
    "applications": [
        {"bundleId": "com.apple.controlcenter", "name": "Control Center",
         "items": [{"autosaveName": "Clock", "immovable": true, "clock": true}]},
        {"bundleId": "com.example.a", "name": "A",
         "items": [{"autosaveName": "a1", "length": 30}, {"autosaveName": "a2"}]},
        {"bundleId": "com.example.b", "name": "B", "running": false,
         "items": [{"autosaveName": "b1"}]}
    ],
    "events": [
        {"at": 60, "do": "launch", "app": "com.example.b"},
        {"at": 120, "do": "setLength", "app": "com.example.a", "item": "a1", "length": 50},
        {"at": 180, "do": "dragItem", "app": "com.example.a", "item": "a2", "toX": 950},
        {"at": 240, "do": "setTitle", "app": "com.example.b", "item": "b1", "title": "Hi"},
        {"at": 300, "do": "addItem", "app": "com.example.b", "item": {"autosaveName": "b2"}},
        {"at": 600, "do": "removeItem", "app": "com.example.b", "item": "b1"}
    ]})";

// The small Mac where the system keeps Zorv's icon at the left end, left of its separators.
QByteArray smallMacWithIconAtTheLeftEnd() {
    return QByteArray(smallMac).replace(R"("events")", R"("zorvPositions": {"zorv-icon-v2": 100000,
            "zorv-hidden-separator-v2": 99000, "zorv-always-hidden-separator-v2": 98000},
        "events")");
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Destroyed after the app it is declared before: the jobs still out at the quit hand their ends
// back, as main() has them do.
struct OutstandingWorkHandedBack {
    OutstandingWorkHandedBack() = default;
    OutstandingWorkHandedBack(const OutstandingWorkHandedBack &) = delete;
    OutstandingWorkHandedBack &operator=(const OutstandingWorkHandedBack &) = delete;
    ~OutstandingWorkHandedBack() { WorkRunner::handBackOutstanding(); }
};

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The run controls end to end on a manual clock in fast-forward: ten simulated minutes pass in a
// moment, the dump shows every timed event's effect (also the one due at the very end), and
// pictures of the window are saved.
TEST(DesktopAppTest, RunsForTheSimulatedTimeAndDumpsTheBar) {
    const QTemporaryDir folder;
    ManualClock clock;
    clock.setFastForward(true);
    SimulatedPlatform platform(
        clock, ScenarioLoader::parse(smallMacWithIconAtTheLeftEnd(), u"small"_s), false);
    SimOptions options;
    options.runFor = seconds(600);
    options.dumpPath = folder.filePath(u"dump.json"_s);
    options.screenshotFolder = folder.filePath(u"shots"_s);
    const OutstandingWorkHandedBack handedBack;
    DesktopApp app(platform, options);
    QSignalSpy finished(&app, &DesktopApp::finished);

    ASSERT_TRUE(app.start());
    // Ten simulated minutes go by as fast as the machine runs them; the limit only ends a hang
    // (a sanitizer on a loaded machine takes several seconds).
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_EQ(finished[0][0].toInt(), 0);
    EXPECT_EQ(clock.now(), seconds(600));
    // The window tells what the self-heal reconcile run (below) did.
    const auto *view = app.window()->property("desktop").value<DesktopViewModel *>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->lastReconcile().startsWith(u"tuck-refused-self-heal: "_s))
        << view->lastReconcile().toStdString();

    const JsonObjectRef dump = JsonValueRef(parseJson(bytesOf(options.dumpPath))).toObject();
    EXPECT_EQ(dump.required<QString>(u"scenario"), u"small"_s);
    EXPECT_EQ(dump.required<double>(u"simulatedSeconds"), 600.0);
    EXPECT_EQ(dump.required<int>(u"eventsApplied"), 6);
    const JsonObjectRef conventions = dump.required(u"coordinateConventions").toObject();
    EXPECT_TRUE(conventions.required<QString>(u"screens[].frame").startsWith(u"bottom-left:"));
    EXPECT_TRUE(conventions.required<QString>(u"screens[].items[].frame").startsWith(u"top-left:"));
    const JsonArrayRef screens = dump.required(u"screens").toArray();
    ASSERT_EQ(screens.size(), 1);
    const JsonArrayRef items = screens.at(0).toObject().required(u"items").toArray();

    // Zorv's own three status items stand among the others, right to left from the bar's right
    // end, 16 points apart; the others read "name application 'title' width on/off screen".
    const QString clockTitle = ClockFace::title(clock.wallNow());
    EXPECT_EQ(clockTitle, u"Tue 1 Dec 9:10"_s);
    QStringList others;
    double right = 990.0;
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        const JsonObjectRef item = items.at(i).toObject();
        const JsonObjectRef frame = item.required(u"frame").toObject();
        EXPECT_EQ(item.required<int>(u"order"), i);
        EXPECT_EQ(frame.required<double>(u"x") + frame.required<double>(u"width"), right) << i;
        right = frame.required<double>(u"x") - 16.0;
        if (item.required<QString>(u"bundleId") != SimulatedPlatform::bundleIdentifier) {
            others.prepend(u"%1 %2 '%3' %4 %5"_s
                               .arg(item.required<QString>(u"autosaveName"),
                                    item.required<QString>(u"bundleId"),
                                    item.required<QString>(u"title"))
                               .arg(frame.required<double>(u"width"))
                               .arg(item.required<bool>(u"onScreen") ? u"on"_s : u"off"_s));
        }
    }
    EXPECT_EQ(others, (QStringList{u"b2 com.example.b '' 24 off"_s, u"a1 com.example.a '' 50 on"_s,
                                   u"a2 com.example.a '' 24 on"_s,
                                   u"Clock com.apple.controlcenter '%1' %2 on"_s.arg(clockTitle)
                                       .arg(ClockFace::length(clockTitle))}));

    // The engine's view. With no remembered positions Zorv's icon stands left of its
    // separators, so the first tuck is refused; the self-heal reconcile run drags it right of
    // them, and from then on hiding holds: the item added later sits left of both separators,
    // in the always-hidden section, out of view.
    const JsonObjectRef engine = dump.required(u"engine").toObject();
    EXPECT_FALSE(engine.required<bool>(u"revealed"));
    EXPECT_TRUE(engine.required(u"hidingBlocked").isNull());
    EXPECT_TRUE(engine.required<bool>(u"iconOnScreen"));
    const JsonArrayRef engineItems = engine.required(u"items").toArray();
    ASSERT_GT(engineItems.size(), 0);
    QSet<QString> applications;
    for (qsizetype i = 0; i < engineItems.size(); ++i) {
        const JsonObjectRef item = engineItems.at(i).toObject();
        applications.insert(item.required<QString>(u"bundleId"));
        EXPECT_EQ(item.required<bool>(u"onScreen"),
                  item.required<QString>(u"section") == u"shown"_s);
        EXPECT_FALSE(item.required<bool>(u"notchObscured"));
        EXPECT_GE(item.required<int>(u"ordinal"), 0);
    }
    EXPECT_EQ(applications, (QSet<QString>{u"com.example.a"_s, u"com.example.b"_s,
                                           u"com.apple.controlcenter"_s}));

    const QStringList pictures = QDir(options.screenshotFolder).entryList(QDir::Files);
    EXPECT_TRUE(pictures.contains(u"final.png"_s));
    EXPECT_TRUE(pictures.contains(u"layout-0001.png"_s));
}

// The window's line on the last reconcile run: trigger, drags made and outcome.
TEST(DesktopViewModelTest, SummarisesTheLastReconcileRun) {
    const auto run = [](QJsonObject extra) {
        QJsonObject record{{u"trigger"_s, u"user-move"_s},
                           {u"settled"_s, true},
                           {u"timing"_s, QJsonObject{{u"drags"_s, 3}}}};
        for (auto it = extra.begin(); it != extra.end(); ++it) {
            record.insert(it.key(), it.value());
        }
        return record;
    };
    const struct {
        QJsonObject record;
        QString summary;
    } cases[] = {
        {QJsonObject(), QString()},
        {run({}), u"user-move: 3 drags, settled"_s},
        {run({{u"timing"_s, QJsonObject{{u"drags"_s, 1}}}, {u"settled"_s, false}}),
         u"user-move: 1 drag, not settled"_s},
        {run({{u"trigger"_s, u"drift:com.example.a"_s},
              {u"aborted"_s, u"a drag aimed off-screen"_s}}),
         u"drift:com.example.a: 3 drags, aborted (a drag aimed off-screen)"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DesktopViewModel::reconcileSummary(c.record), c.summary);
    }
}

TEST(DesktopAppTest, ReportsADumpThatCannotBeWritten) {
    ManualClock clock;
    SimulatedPlatform platform(clock, ScenarioLoader::parse(smallMac, u"small"_s), false);
    SimOptions options;
    options.dumpPath = u"/nonexistent-folder/dump.json"_s;
    DesktopApp app(platform, options);
    ASSERT_TRUE(app.start());
    // Lets the engine's first scan end, so no job is left in flight when the test ends.
    clock.advance(Duration::zero());
    EXPECT_EQ(app.finish(), 1);
    // Finishing twice writes nothing more and keeps the outcome.
    EXPECT_EQ(app.finish(), 1);
}

// The model starts from the files in the data folder, or from defaults without them, and hands
// the stored layout to the engine; the window and the dump show its state, and a settings change
// shows as the last save.
TEST(DesktopAppTest, StartsTheModelFromTheStoredFilesAndShowsItsState) {
    const MenuBarItemID a1{u"com.example.a"_s, std::nullopt, std::nullopt, 1};
    for (const bool stored : {true, false}) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
        if (stored) {
            SectionLayout layout;
            layout.sections[Section::hidden] = {a1};
            const QUuid work = QUuid::createUuid();
            const ProfileSet profiles{
                {Profile{work, u"Work"_s, layout, std::nullopt, std::nullopt}}, work};
            for (const auto &[name, json] :
                 {std::pair(u"layout.json"_s, toStoreJson(layout.normalized())),
                  std::pair(u"profiles.json"_s, toStoreJson(profiles))}) {
                writeFile(ZorvPaths::file(name), writeJson(json, JsonFormat::pretty()).value());
            }
        }
        ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
        SimulatedPlatform platform(clock, ScenarioLoader::parse(smallMac, u"small"_s), false);
        DesktopApp app(platform, SimOptions());
        ASSERT_TRUE(app.start());
        WorkerClockDriver driver(clock);
        driver.run(seconds(5));
        ASSERT_NE(app.model(), nullptr);
        app.model()->setRevealOnHover(true);
        driver.drain();

        EXPECT_EQ(app.engine()->storedLayout().sectionOf(a1),
                  stored ? std::optional(Section::hidden) : std::nullopt);
        auto *view = app.window()->property("desktop").value<DesktopViewModel *>();
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->engineRunning());
        ASSERT_NE(view->modelView(), nullptr);
        EXPECT_EQ(view->modelView()->activeProfileName(), stored ? u"Work"_s : QString());
        EXPECT_EQ(view->lastSaved(), u"Tue 1 Dec 2026 9:00:05 UTC"_s);
        EXPECT_EQ(view->revealed(), app.model()->isRevealed());
        EXPECT_EQ(view->lastReconcile(),
                  DesktopViewModel::reconcileSummary(app.engine()->lastReconcile()));
        QStringList hiddenRows;
        const ItemListModel &rows = *view->sections();
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QModelIndex index = rows.index(row);
            if (rows.data(index, ItemListModel::SectionRole) == u"hidden"_s) {
                hiddenRows.append(rows.data(index, ItemListModel::ApplicationRole).toString());
            }
        }
        EXPECT_EQ(hiddenRows, stored ? QStringList{u"A"_s} : QStringList());

        const QJsonObject dump = DesktopDump::toJson(platform, app.engine(), app.model());
        const QJsonObject model = dump.value(u"model"_s).toObject();
        EXPECT_EQ(model.value(u"activeProfile"_s),
                  stored ? QJsonValue(u"Work"_s) : QJsonValue(QJsonValue::Null));
        EXPECT_EQ(model.value(u"lastSavedAt"_s), QJsonValue(u"2026-12-01T09:00:05Z"_s));
        EXPECT_EQ(model.value(u"layout"_s), app.model()->layoutStore().value().toJson());
        EXPECT_EQ(SectionLayout::fromJson(JsonValueRef(model.value(u"layout"_s))).sectionOf(a1),
                  stored ? std::optional(Section::hidden) : std::nullopt);
        EXPECT_EQ(app.finish(), 0);
        // The next round starts from an empty folder: nothing of this run may land there later.
        app.waitForQuitWrites();
    }
}

// Two runs with one positions file: the second finds Zorv's items, created by its engine and
// never dragged, where the first left them. The user dragged another item to the left end,
// so they no longer stand there.
TEST(DesktopAppTest, KeepsRememberedPositionsBetweenRuns) {
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = folder.filePath(u"small.json"_s);
    options.positionsPath = folder.filePath(u"positions.json"_s);
    writeFile(options.scenario, smallMac);

    const auto run = [&](bool firstRun) {
        ManualClock clock;
        SimulatedPlatform platform(clock, DesktopApp::loadScenario(options), false);
        DesktopApp app(platform, options);
        EXPECT_TRUE(app.start());
        // settle() does not wait for worker jobs, and start-up hands out several: the engine's
        // first-launch placement, the model's first scan and its icons.
        WorkerClockDriver driver(clock);
        driver.drain();
        if (firstRun) {
            const qint32 a = *platform.scenario().player().processId(u"com.example.a"_s);
            const quint64 a2 = platform.desktop().items().find(a, u"a2"_s).value();
            const double leftEnd = platform.desktop().readout().bar().front().frame.left();
            EXPECT_TRUE(platform.desktop().userInput().commandDragItem(a2, leftEnd + 1));
            driver.drain();
        }
        EXPECT_EQ(app.finish(), 0);
        // The next run reads what this one wrote at quit.
        app.waitForQuitWrites();
        QStringList order;
        for (const BarEntry &entry : platform.desktop().readout().bar()) {
            order.append(entry.autosaveName);
        }
        return order;
    };
    const QStringList first = run(true);
    ASSERT_EQ(first, (QStringList{u"a2"_s, BarItems::zorvAlwaysHiddenSeparatorName,
                                  BarItems::zorvHiddenSeparatorName, u"a1"_s,
                                  BarItems::zorvIconName, u"Clock"_s}));
    EXPECT_EQ(KeptPositionsFile::read(options.positionsPath)
                  .value(SimulatedPlatform::bundleIdentifier)
                  .size(),
              3);
    EXPECT_EQ(run(false), first);
}

// A bad file stops the start with its name and key path; a folder or pipe in its place is never
// read (a pipe would block the start for good).
TEST(DesktopAppTest, RefusesABadPositionsFile) {
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = u"first-run"_s;
    options.positionsPath = folder.filePath(u"positions.json"_s);
    const QString bad = options.positionsPath;
    writeFile(bad, R"({"com.example.a": {"a1": "left"}})");
    for (const QString &path : {bad, folder.path()}) {
        options.positionsPath = path;
        EXPECT_THROW((void)DesktopApp::loadScenario(options), ScenarioError) << path.toStdString();
    }
    try {
        (void)KeptPositionsFile::read(bad);
        ADD_FAILURE() << "a bad file was read";
    } catch (const ScenarioError &error) {
        EXPECT_TRUE(error.message().startsWith(bad + uR"(: $["com.example.a"].a1: )"_s))
            << error.message().toStdString();
    }
}

// The window and the dump say which application is in front even when it has no name of its own
// (it used to read as no application at all).
TEST(DesktopSnapshotTest, NamesTheFrontmostApplicationEvenWithoutAName) {
    const struct {
        QString application;
        QString shown;
    } cases[] = {
        {uR"("bundleId": "com.example.a", "name": "Alpha")"_s, u"Alpha"_s},
        {uR"("bundleId": "com.example.a")"_s, u"com.example.a"_s},
    };
    for (const auto &[application, shown] : cases) {
        ManualClock clock;
        const QString scenario = uR"({"name": "t",
                 "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}}],
                 "applications": [{%1, "activationPolicy": "regular", "frontmost": true}]})"_s.arg(
            application);
        SimulatedPlatform platform(clock, ScenarioLoader::parse(scenario.toUtf8(), u"t"_s), false);
        platform.start();
        clock.settle();
        EXPECT_EQ(DesktopSnapshot::take(platform.desktop()).frontmostApplication, shown);
    }
}

int pixelsOf(const QImage &image, const QColor &color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == color;
        }
    }
    return count;
}

// Loads the desktop window offscreen on the shipped laptop scenario and keeps its picture in the
// build folder (tests/app/screenshots/desktop-window.png) for people to look at. The drawn screen
// shows the bar's colour, the camera housing and the items' glyphs.
TEST(DesktopWindowTest, DrawsTheLaptopsMenuBar) {
    ManualClock clock;
    SimulatedPlatform platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false);
    DesktopApp app(platform, SimOptions{});
    ASSERT_TRUE(app.start());
    // Start-up's worker jobs (the first scans, the items' icons) end before the picture is taken.
    WorkerClockDriver(clock).drain();

    QQuickWindow *window = app.window();
    ASSERT_TRUE(window);
    const QImage picture = app.screenPicture();
    ASSERT_EQ(picture.size(), window->size() * window->effectiveDevicePixelRatio());
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(picture.save(folder + u"/desktop-window.png"_s));

    const QQuickItem *screen = findItem(window->contentItem(), u"macScreen"_s);
    ASSERT_TRUE(screen);
    // The bar: the top 37 points of the screen.
    const double zoom = screen->width() / 1512.0;
    const double ratio = window->effectiveDevicePixelRatio();
    const QRectF area = screen->mapRectToScene(QRectF(0, 0, screen->width(), 37 * zoom));
    const QImage bar =
        picture.copy(QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect());
    EXPECT_GT(pixelsOf(bar, QColor(236, 236, 236)), bar.width() * 10) << "the bar's colour";
    // The housing is 200 points wide and as tall as the bar.
    EXPECT_GT(pixelsOf(bar, Qt::black), int(150 * bar.height() * zoom));
    // Dropbox's blue diamond.
    EXPECT_GT(pixelsOf(bar, QColor(u"#0061fe"_s)), 10);
}

TEST(SimOptionsTest, ReadsEveryOption) {
    const auto parsed = SimOptions::parse(
        {u"zorv"_s, u"--sim-scenario"_s, u"crowded-bar"_s, u"--sim-time"_s, u"fast"_s,
         u"--sim-run-for"_s, u"3600"_s, u"--sim-dump"_s, u"out.json"_s, u"--sim-screenshots"_s,
         u"shots"_s, u"--sim-positions"_s, u"kept.json"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed));
    EXPECT_EQ(std::get<SimOptions>(parsed), (SimOptions{u"crowded-bar"_s,
                                                        SimOptions::TimeMode::Fast,
                                                        seconds(3600),
                                                        u"out.json"_s,
                                                        u"shots"_s,
                                                        u"kept.json"_s,
                                                        false,
                                                        false,
                                                        {}}));

    const auto defaults = SimOptions::parse({u"zorv"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(defaults));
    EXPECT_EQ(
        std::get<SimOptions>(defaults),
        (SimOptions{
            u"laptop"_s, SimOptions::TimeMode::Real, std::nullopt, {}, {}, {}, false, false, {}}));

    const auto shell = SimOptions::parse({u"zorv"_s, u"--report-sent"_s, u"--sim-open-menu"_s,
                                          u"--open-settings"_s, u"--sim-churn-stores"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(shell));
    EXPECT_TRUE(std::get<SimOptions>(shell).openMenu);
    EXPECT_TRUE(std::get<SimOptions>(shell).churnStores);
    EXPECT_EQ(std::get<SimOptions>(shell).launchArguments,
              (QStringList{u"--report-sent"_s, u"--open-settings"_s}));
}

TEST(SimOptionsTest, KeepsTheApplicationsOwnArgumentsInOrder) {
    const auto parsed =
        SimOptions::parse({u"zorv"_s, u"--report"_s, u"--sim-time"_s, u"fast"_s,
                           u"zorv://settings/Layout"_s, u"--open-settings"_s, u"other://x"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed));
    EXPECT_EQ(std::get<SimOptions>(parsed).launchArguments,
              (QStringList{u"--report"_s, u"zorv://settings/Layout"_s, u"--open-settings"_s,
                           u"other://x"_s}));
}

TEST(SimOptionsTest, RefusesWhatItDoesNotUnderstand) {
    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{u"--sim-time"_s, u"slow"_s}, u"--sim-time takes \"real\" or \"fast\""_s},
        {{u"--sim-run-for"_s, u"0"_s}, u"--sim-run-for takes a number of seconds above 0"_s},
        {{u"--sim-run-for"_s, u"-5"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"nan"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"1e30"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"an hour"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-dump"_s}, u"Missing value after '--sim-dump'."_s},
        {{u"--sim-dump"_s, u""_s}, u"--sim-dump needs a file name."_s},
        {{u"--sim-positions"_s, u""_s}, u"--sim-positions needs a file name."_s},
        {{u"--sim-speed"_s, u"2"_s}, u"Unknown option 'sim-speed'."_s},
        {{u"laptop"_s}, u"Unexpected argument \"laptop\"."_s},
        {{u"--sim-time"_s, u"fast"_s, u"--sim-screenshots"_s, u"shots"_s},
         u"--sim-time fast with --sim-screenshots needs --sim-run-for."_s},
    };
    for (const auto &[arguments, error] : cases) {
        const auto parsed = SimOptions::parse(QStringList{u"zorv"_s} + arguments);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(std::get<QString>(parsed).startsWith(error))
            << std::get<QString>(parsed).toStdString();
    }
}

const QStringList storeFiles{u"settings.json"_s, u"layout.json"_s, u"profiles.json"_s,
                             u"triggers.json"_s};

// What one run of the application started with and what it left in the data folder.
struct ZorvRun {
    Settings settings;
    ProfileSet profiles;
    TriggerSet triggers;
    SectionLayout layout;
    QStringList systemLog;
    QHash<QString, QByteArray> storeBytes;
};

// Starts the application on a manual clock over whatever the data folder holds, lets start-up
// and the first scans run, then quits it.
ZorvRun runZorv() {
    ManualClock clock(QDateTime(QDate(2026, 12, 1), QTime(9, 0), QTimeZone::utc()));
    SimulatedPlatform platform(clock, ScenarioLoader::parse(smallMac, u"small"_s), false);
    DesktopApp app(platform, SimOptions());
    EXPECT_TRUE(app.start());
    WorkerClockDriver(clock).run(seconds(5));
    AppModel &model = *app.model();
    ZorvRun run{
        model.settings(), model.profiles(), model.triggers(), model.layoutStore().value(), {}, {}};
    EXPECT_EQ(app.finish(), 0);
    run.systemLog = platform.systemLog().lines();
    for (const QString &name : storeFiles) {
        const QFileInfo info(ZorvPaths::file(name));
        EXPECT_TRUE(info.isFile() && !info.isSymLink()) << name.toStdString();
        run.storeBytes.insert(name, bytesOf(info.filePath()));
    }
    return run;
}

void emptyDataFolder() {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
}

// A first start on an empty data folder.
const ZorvRun &freshRun() {
    static const ZorvRun run = [] {
        emptyDataFolder();
        return runZorv();
    }();
    return run;
}

enum class Damage { Truncated, WrongType, Folder, DanglingLink, NamedPipe };

// A store file and what stands in its place.
class HostileDataFolderTest : public ::testing::TestWithParam<std::tuple<QString, Damage>> {};

// Whatever stands in a store file's place, Zorv starts as on a first start, sets the thing aside
// beside it untouched (a pipe is never opened for a blocking read, a folder keeps its content)
// and writes sound files when it quits. Tests run as root, so unreadable means a link to nothing
// or a pipe rather than a file without permissions.
TEST_P(HostileDataFolderTest, StartsFromDefaultsAndSetsTheFileAside) {
    const auto &[storeFile, damage] = GetParam();
    const ZorvRun &fresh = freshRun();
    emptyDataFolder();
    const QString path = ZorvPaths::file(storeFile);
    const QByteArray soundBytes = fresh.storeBytes.value(storeFile);
    ASSERT_FALSE(soundBytes.isEmpty());
    QByteArray damagedBytes;
    switch (damage) {
    case Damage::Truncated:
        damagedBytes = soundBytes.left(soundBytes.size() / 2);
        break;
    case Damage::WrongType:
        // The layout is an array, the other stores objects.
        damagedBytes =
            storeFile == u"layout.json"_s ? R"({"section": "hidden"})" : R"([{"profiles": []}])";
        break;
    case Damage::Folder:
        ASSERT_TRUE(QDir().mkpath(path + u"/inner"_s));
        damagedBytes = "kept";
        break;
    case Damage::DanglingLink:
        ASSERT_TRUE(QFile::link(ZorvPaths::file(u"nothing-here"_s), path));
        break;
    case Damage::NamedPipe:
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    }
    const QString contentPath = damage == Damage::Folder ? path + u"/inner/content"_s : path;
    if (!damagedBytes.isEmpty()) {
        writeFile(contentPath, damagedBytes);
    }

    const ZorvRun run = runZorv();

    EXPECT_EQ(run.settings, fresh.settings);
    EXPECT_EQ(run.profiles, fresh.profiles);
    EXPECT_EQ(run.triggers, fresh.triggers);
    EXPECT_EQ(run.layout, fresh.layout);
    const QStringList aside = QDir(ZorvPaths::root())
                                  .entryList({storeFile + u".unreadable-*"_s},
                                             QDir::AllEntries | QDir::System | QDir::Hidden);
    ASSERT_EQ(aside.size(), 1) << aside.join(u", "_s).toStdString();
    const QFileInfo setAside(ZorvPaths::file(aside.first()));
    EXPECT_EQ(run.systemLog.filter(aside.first()).size(), 1)
        << run.systemLog.join(u"\n"_s).toStdString();
    switch (damage) {
    case Damage::Truncated:
    case Damage::WrongType:
        EXPECT_EQ(bytesOf(setAside.filePath()), damagedBytes);
        break;
    case Damage::Folder:
        EXPECT_EQ(bytesOf(setAside.filePath() + u"/inner/content"_s), damagedBytes);
        break;
    case Damage::DanglingLink:
        EXPECT_EQ(setAside.symLinkTarget(), ZorvPaths::file(u"nothing-here"_s));
        break;
    case Damage::NamedPipe: {
        struct stat status {};
        ASSERT_EQ(::lstat(QFile::encodeName(setAside.filePath()).constData(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
        break;
    }
    }
    // The files written on quitting are those of a first start, so the next start reads them.
    for (const QString &name : storeFiles) {
        EXPECT_EQ(run.storeBytes.value(name), fresh.storeBytes.value(name)) << name.toStdString();
    }
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<QString, Damage>> &info) {
    static const char *const damages[] = {"truncated", "wrongType", "folder", "danglingLink",
                                          "namedPipe"};
    const auto &[file, damage] = info.param;
    return QString(file).remove(u".json"_s).toStdString() + "_" + damages[int(damage)];
}

INSTANTIATE_TEST_SUITE_P(EveryStore, HostileDataFolderTest,
                         ::testing::Combine(::testing::ValuesIn(storeFiles),
                                            ::testing::Values(Damage::Truncated, Damage::WrongType,
                                                              Damage::Folder, Damage::DanglingLink,
                                                              Damage::NamedPipe)),
                         caseName);

} // namespace
} // namespace zorv
