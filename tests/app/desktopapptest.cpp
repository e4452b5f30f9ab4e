#include "desktopapp.h"
#include "desktopdump.h"
#include "desktopsnapshot.h"
#include "engine/classicengine.h"
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

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

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

// The run controls end to end on a manual clock in fast-forward: ten simulated minutes pass in a
// moment, the dump shows every timed event's effect (also the one due at the very end), and
// pictures of the window are saved.
TEST(DesktopAppTest, RunsForTheSimulatedTimeAndDumpsTheBar) {
    const QTemporaryDir folder;
    ManualClock clock;
    clock.setFastForward(true);
    SimulatedPlatform platform(clock, ScenarioLoader::parse(smallMac, u"small"_s), false);
    SimOptions options;
    options.runFor = seconds(600);
    options.dumpPath = folder.filePath(u"dump.json"_s);
    options.screenshotFolder = folder.filePath(u"shots"_s);
    DesktopApp app(platform, options);
    QSignalSpy finished(&app, &DesktopApp::finished);

    ASSERT_TRUE(app.start());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished[0][0].toInt(), 0);
    EXPECT_EQ(clock.now(), seconds(600));
    // The window tells what the self-heal reconcile run (below) did.
    const auto *view = app.window()->property("desktop").value<DesktopViewModel *>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->lastReconcile().startsWith(u"tuck-refused-self-heal: "_s))
        << view->lastReconcile().toStdString();

    QFile file(options.dumpPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const JsonObjectRef dump = JsonValueRef(parseJson(file.readAll())).toObject();
    EXPECT_EQ(dump.required<QString>(u"scenario"), u"small"_s);
    EXPECT_EQ(dump.required<double>(u"simulatedSeconds"), 600.0);
    EXPECT_EQ(dump.required<int>(u"eventsApplied"), 6);
    const JsonObjectRef conventions = dump.required(u"coordinateConventions").toObject();
    EXPECT_TRUE(conventions.required<QString>(u"screens[].frame").startsWith(u"bottom-left:"));
    EXPECT_TRUE(conventions.required<QString>(u"screens[].items[].frame").startsWith(u"top-left:"));
    const JsonArrayRef screens = dump.required(u"screens").toArray();
    ASSERT_EQ(screens.size(), 1);
    const JsonArrayRef items = screens.at(0).toObject().required(u"items").toArray();

    const QString clockTitle = ClockFace::title(clock.wallNow());
    EXPECT_EQ(clockTitle, u"Tue 1 Dec 9:10"_s);
    const struct {
        QString autosaveName;
        QString bundleId;
        QString title;
        double width;
        bool onScreen;
    } expected[] = {
        {u"b2"_s, u"com.example.b"_s, u""_s, 24.0, false},
        {u"a1"_s, u"com.example.a"_s, u""_s, 50.0, true},
        {u"a2"_s, u"com.example.a"_s, u""_s, 24.0, true},
        {u"Clock"_s, u"com.apple.controlcenter"_s, clockTitle, ClockFace::length(clockTitle), true},
    };
    // Zorv's own three status items stand among the others; the spacing rule holds for all.
    QList<JsonObjectRef> others;
    double right = 990.0;
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        const JsonObjectRef item = items.at(i).toObject();
        EXPECT_EQ(item.required<int>(u"order"), i);
        const JsonObjectRef frame = item.required(u"frame").toObject();
        // Right to left from the bar's right end, 16 points apart.
        EXPECT_EQ(frame.required<double>(u"x") + frame.required<double>(u"width"), right) << i;
        right = frame.required<double>(u"x") - 16.0;
        if (item.required<QString>(u"bundleId") != SimulatedPlatform::bundleIdentifier) {
            others.prepend(item);
        }
    }
    ASSERT_EQ(others.size(), std::size(expected));
    for (qsizetype i = 0; i < others.size(); ++i) {
        const JsonObjectRef &item = others.at(i);
        const auto &want = expected[i];
        EXPECT_EQ(item.required<QString>(u"autosaveName"), want.autosaveName);
        EXPECT_EQ(item.required<QString>(u"bundleId"), want.bundleId);
        EXPECT_EQ(item.required<QString>(u"title"), want.title);
        EXPECT_EQ(item.required<bool>(u"onScreen"), want.onScreen);
        EXPECT_EQ(item.required(u"frame").toObject().required<double>(u"width"), want.width)
            << want.autosaveName.toStdString();
    }

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
                QFile file(ZorvPaths::file(name));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(writeJson(json, JsonFormat::pretty()).value());
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
        EXPECT_EQ(view->activeProfile(), stored ? u"Work"_s : QString());
        EXPECT_EQ(view->lastSaved(), u"Tue 1 Dec 2026 9:00:05 UTC"_s);
        EXPECT_EQ(view->revealed(), app.model()->isRevealed());
        EXPECT_EQ(view->lastReconcile(),
                  DesktopViewModel::reconcileSummary(app.engine()->lastReconcile()));
        QStringList hiddenRows;
        const SectionedItemsModel &rows = *view->sections();
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QModelIndex index = rows.index(row);
            if (rows.data(index, SectionedItemsModel::SectionRole) == u"hidden"_s) {
                hiddenRows.append(
                    rows.data(index, SectionedItemsModel::ApplicationRole).toString());
            }
        }
        EXPECT_EQ(hiddenRows, stored ? QStringList{u"A"_s} : QStringList());

        const QJsonObject dump = DesktopDump::toJson(platform, app.engine(), app.model());
        for (const QString &key : {u"engine"_s, u"screens"_s, u"coordinateConventions"_s}) {
            EXPECT_TRUE(dump.contains(key)) << key.toStdString();
        }
        const QJsonObject model = dump.value(u"model"_s).toObject();
        EXPECT_EQ(model.value(u"activeProfile"_s),
                  stored ? QJsonValue(u"Work"_s) : QJsonValue(QJsonValue::Null));
        EXPECT_EQ(model.value(u"lastSavedAt"_s), QJsonValue(u"2026-12-01T09:00:05Z"_s));
        EXPECT_EQ(model.value(u"layout"_s), app.model()->layoutStore().value().toJson());
        EXPECT_EQ(SectionLayout::fromJson(JsonValueRef(model.value(u"layout"_s))).sectionOf(a1),
                  stored ? std::optional(Section::hidden) : std::nullopt);
        EXPECT_EQ(app.finish(), 0);
    }
}

QStringList barOrder(SimulatedPlatform &platform) {
    QStringList names;
    for (const BarEntry &entry : platform.desktop().readout().bar()) {
        names.append(entry.autosaveName);
    }
    return names;
}

// Two runs with one positions file: the second finds Zorv's items, created by its engine and
// never dragged, where the first left them. The user dragged another item to the left end,
// so they no longer stand there.
TEST(DesktopAppTest, KeepsRememberedPositionsBetweenRuns) {
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = folder.filePath(u"small.json"_s);
    options.positionsPath = folder.filePath(u"positions.json"_s);
    QFile scenarioFile(options.scenario);
    ASSERT_TRUE(scenarioFile.open(QIODevice::WriteOnly));
    scenarioFile.write(smallMac);
    scenarioFile.close();

    const auto run = [&](bool firstRun) {
        ManualClock clock;
        SimulatedPlatform platform(clock, DesktopApp::loadScenario(options), false);
        DesktopApp app(platform, options);
        EXPECT_TRUE(app.start());
        clock.settle();
        if (firstRun) {
            const qint32 a = *platform.scenario().player().processId(u"com.example.a"_s);
            const quint64 a2 = platform.desktop().items().find(a, u"a2"_s).value();
            const double leftEnd = platform.desktop().readout().bar().front().frame.left();
            EXPECT_TRUE(platform.desktop().userInput().commandDragItem(a2, leftEnd + 1));
            clock.settle();
        }
        EXPECT_EQ(app.finish(), 0);
        return barOrder(platform);
    };
    const QStringList first = run(true);
    ASSERT_EQ(first,
              (QStringList{u"a2"_s, BarItems::zorvIconName, BarItems::zorvHiddenSeparatorName,
                           BarItems::zorvAlwaysHiddenSeparatorName, u"a1"_s, u"Clock"_s}));
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
    QFile file(options.positionsPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"com.example.a": {"a1": "left"}})");
    file.close();
    for (const QString &path : {options.positionsPath, folder.path()}) {
        options.positionsPath = path;
        EXPECT_THROW((void)DesktopApp::loadScenario(options), ScenarioError) << path.toStdString();
    }
    try {
        (void)KeptPositionsFile::read(file.fileName());
        ADD_FAILURE() << "a bad file was read";
    } catch (const ScenarioError &error) {
        EXPECT_TRUE(error.message().startsWith(file.fileName() + uR"(: $["com.example.a"].a1: )"_s))
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

// Delegates are visual children, not always object children: search the item tree.
QQuickItem *findItem(QQuickItem *item, const QString &objectName) {
    if (item->objectName() == objectName) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, objectName)) {
            return found;
        }
    }
    return nullptr;
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
// build folder (tests/app/screenshots/desktop-window.png) for people to look at. The drawn bar
// shows the bar's colour, the camera housing and the items' glyphs.
TEST(DesktopWindowTest, DrawsTheLaptopsMenuBar) {
    ManualClock clock;
    SimulatedPlatform platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false);
    DesktopApp app(platform, SimOptions{});
    ASSERT_TRUE(app.start());
    clock.settle();

    QQuickWindow *window = app.window();
    ASSERT_TRUE(window);
    const QImage picture = window->grabWindow();
    ASSERT_EQ(picture.size(), window->size() * window->effectiveDevicePixelRatio());
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(picture.save(folder + u"/desktop-window.png"_s));

    const QQuickItem *strip = findItem(window->contentItem(), u"menuBarStrip"_s);
    ASSERT_TRUE(strip);
    const QRectF area = strip->mapRectToScene(strip->boundingRect());
    const QImage bar = picture.copy(area.toAlignedRect());
    EXPECT_GT(pixelsOf(bar, QColor(236, 236, 236)), bar.width() * 10) << "the bar's colour";
    // The housing is 200 points wide and as tall as the bar.
    EXPECT_GT(pixelsOf(bar, Qt::black), int(150 * area.height() * strip->width() / 1512.0));
    // Dropbox's blue diamond.
    EXPECT_GT(pixelsOf(bar, QColor(u"#0061fe"_s)), 10);
}

TEST(SimOptionsTest, ReadsEveryOption) {
    const auto parsed = SimOptions::parse(
        {u"zorv"_s, u"--sim-scenario"_s, u"crowded-bar"_s, u"--sim-time"_s, u"fast"_s,
         u"--sim-run-for"_s, u"3600"_s, u"--sim-dump"_s, u"out.json"_s, u"--sim-screenshots"_s,
         u"shots"_s, u"--sim-positions"_s, u"kept.json"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed));
    const SimOptions &options = std::get<SimOptions>(parsed);
    EXPECT_EQ(options.scenario, u"crowded-bar"_s);
    EXPECT_EQ(options.time, SimOptions::TimeMode::Fast);
    EXPECT_EQ(options.runFor, seconds(3600));
    EXPECT_EQ(options.dumpPath, u"out.json"_s);
    EXPECT_EQ(options.screenshotFolder, u"shots"_s);
    EXPECT_EQ(options.positionsPath, u"kept.json"_s);

    const auto defaults = SimOptions::parse({u"zorv"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(defaults));
    EXPECT_EQ(
        std::get<SimOptions>(defaults),
        (SimOptions{u"laptop"_s, SimOptions::TimeMode::Real, std::nullopt, {}, {}, {}, false}));
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

} // namespace
} // namespace zorv
