#include "desktopapp.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "search/searchpanelcontroller.h"
#include "simulatedplatform.h"
#include "storage/zorvpaths.h"
#include "workerclockdriver.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QQmlEngine>
#include <QQuickWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 keyF = 3;
constexpr quint16 keyA = 0;
constexpr quint16 key1 = 18;
constexpr quint16 key2 = 19;

// Zorv on the shipped laptop (its clock changes width every minute), launched with its first-run
// window already done, pixel-perfect pictures on or off.
class SearchPanelAppTest : public ::testing::TestWithParam<bool> {
protected:
    SearchPanelAppTest()
        : platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false),
          app(platform, SimOptions{}) {}

    void SetUp() override {
        ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
        QFile settings(ZorvPaths::file(u"settings.json"_s));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(GetParam()
                           ? R"({"onboardingCompleted": true, "pixelPerfectIconsEnabled": true})"
                           : R"({"onboardingCompleted": true})");
        settings.close();
        ASSERT_TRUE(app.start());
        // The search key works once the launch has registered the hot keys; a slow machine (or
        // a sanitizer) can take several settles to get there.
        WorkerClockDriver driver(clock);
        driver.drain();
        for (int step = 0; step < 100 && !app.shell()->launch().isStarted(); ++step) {
            driver.run(seconds(0.1));
        }
        ASSERT_TRUE(app.shell()->launch().isStarted());
    }

    QAbstractItemModel &rows() { return *app.searchPanel()->search()->results(); }
    [[nodiscard]] QString role(int row, int role) {
        return rows().index(row, 0).data(role).toString();
    }
    // Opens the panel with the search key, as the user does.
    void openSearch() {
        platform.desktop().userInput().pressKey(keyF, EventFlags::option | EventFlags::command);
        WorkerClockDriver(clock).drain();
        ASSERT_TRUE(app.searchPanel()->isVisible());
    }
    void savePicture(const QString &name) {
        QQuickWindow &window = app.searchPanel()->panel()->window();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString scale = window.effectiveDevicePixelRatio() > 1 ? u"@2x"_s : QString();
        window.grabWindow().save(folder + u"/"_s + name + scale + u".png"_s);
    }
    // The row whose item's key holds `identifier` (the clock's name is the time).
    [[nodiscard]] int rowOf(const QString &identifier) {
        for (int row = 0; row < rows().rowCount(); ++row) {
            if (role(row, ItemRowsModel::KeyRole).contains(identifier)) {
                return row;
            }
        }
        return -1;
    }

    ManualClock clock;
    SimulatedPlatform platform;
    DesktopApp app;
};

// The search key opens the panel. With pixel-perfect pictures on, the engine captures the items
// and the rows show the captures as taken: on a clear ground, in their own colours and widths;
// without captures, the system items show their symbols, not Control Center's icon. The list keeps
// its highlight while the clock's width changes under it.
TEST_P(SearchPanelAppTest, RowsShowTheItemsAsTheBarDoesAndKeepTheHighlight) {
    ASSERT_NO_FATAL_FAILURE(openSearch());
    QAbstractItemModelTester tester(&rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_GT(rows().rowCount(), 5);
    const bool pixelPerfect = GetParam();
    savePicture(pixelPerfect ? u"search-panel-laptop-pixel-perfect"_s : u"search-panel-laptop"_s);

    for (const QString &system :
         {u"menuextra.wifi"_s, u"menuextra.battery"_s, u"menuextra.clock"_s}) {
        const int row = rowOf(system);
        ASSERT_GE(row, 0) << system.toStdString();
        EXPECT_EQ(role(row, ItemRowsModel::PictureKindRole),
                  pixelPerfect ? u"capture"_s : u"symbol"_s)
            << system.toStdString();
    }
    ZorvKit *kit = ZorvKit::of(qmlEngine(&app.searchPanel()->panel()->window()));
    ASSERT_TRUE(kit);
    int captures = 0;
    for (int row = 0; row < rows().rowCount(); ++row) {
        if (role(row, ItemRowsModel::PictureKindRole) != u"capture"_s) {
            continue;
        }
        ++captures;
        const QUrl source = rows().index(row, 0).data(ItemRowsModel::PictureRole).toUrl();
        QSize size;
        const QImage picture = kit->itemPictures().requestImage(source.path().mid(1), &size, {});
        ASSERT_FALSE(picture.isNull()) << row;
        EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0) << row << ": taken on a clear ground";
    }
    EXPECT_EQ(captures > 0, pixelPerfect);

    app.searchPanel()->search()->move(3);
    const QString highlighted = role(3, ItemRowsModel::NameRole);
    clock.advance(std::chrono::minutes(2));
    WorkerClockDriver(clock).drain();
    EXPECT_EQ(app.searchPanel()->search()->selection(), 3);
    EXPECT_EQ(role(3, ItemRowsModel::NameRole), highlighted);
}

// The user types an item's name key by key: at each key the list keeps only the items that still
// match, down to the one meant, and Escape then closes the panel. The first key drops rows below
// the fold, which a view making rows ahead would still be making; nothing may make it complain.
TEST_P(SearchPanelAppTest, TypingNarrowsTheListKeyByKeyAndEscapeCloses) {
    ASSERT_NO_FATAL_FAILURE(openSearch());
    QAbstractItemModelTester tester(&rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    // More rows than the panel shows at once.
    int listed = rows().rowCount();
    ASSERT_GT(listed, 13);
    for (const QChar key : u"box"_s) {
        ASSERT_TRUE(platform.desktop().userInput().type(QString(key)));
        WorkerClockDriver(clock).drain();
        EXPECT_LE(rows().rowCount(), listed) << "after " << QString(key).toStdString();
        listed = rows().rowCount();
    }
    EXPECT_EQ(app.searchPanel()->search()->query(), u"box"_s);
    ASSERT_EQ(rows().rowCount(), 1);
    EXPECT_EQ(role(0, ItemRowsModel::NameRole), u"Dropbox"_s);

    platform.desktop().userInput().pressKey(KeyCode::escape);
    WorkerClockDriver(clock).drain();
    EXPECT_FALSE(app.searchPanel()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(PixelPerfect, SearchPanelAppTest, ::testing::Bool());

// The same panel driven by the keyboard alone, without pixel-perfect pictures.
class SearchPanelKeysTest : public SearchPanelAppTest {
protected:
    void press(quint16 keyCode, quint64 flags = EventFlags::none) {
        platform.desktop().userInput().pressKeyHolding(keyCode, flags);
        WorkerClockDriver(clock).drain();
    }
    void type(const QString &text) {
        ASSERT_TRUE(platform.desktop().userInput().type(text));
        WorkerClockDriver(clock).drain();
    }
    [[nodiscard]] QString query() const { return app.searchPanel()->search()->query(); }
};

// A Command combination never types into the query: Command-2 past the one listed row and
// Command-Shift-1 leave it as it was; Command-A selects it all, so what is typed next replaces it,
// and Return clicks the item the new query lists.
TEST_P(SearchPanelKeysTest, CommandKeysNeverTypeAndCommandASelectsTheQuery) {
    ASSERT_NO_FATAL_FAILURE(openSearch());
    ASSERT_NO_FATAL_FAILURE(type(u"drop"_s));
    ASSERT_EQ(query(), u"drop"_s);
    ASSERT_EQ(rows().rowCount(), 1);
    const qsizetype before = platform.desktop().readout().clicks().size();
    for (const quint64 flags : {EventFlags::command, EventFlags::command | EventFlags::shift}) {
        press(flags & EventFlags::shift ? key1 : key2, flags);
        EXPECT_EQ(query(), u"drop"_s) << flags;
        EXPECT_EQ(rows().rowCount(), 1) << flags;
        EXPECT_TRUE(app.searchPanel()->isVisible()) << flags;
    }
    EXPECT_EQ(platform.desktop().readout().clicks().size(), before) << "nothing was opened";

    press(keyA, EventFlags::command);
    ASSERT_NO_FATAL_FAILURE(type(u"1pass"_s));
    EXPECT_EQ(query(), u"1pass"_s);
    press(KeyCode::returnKey);
    WorkerClockDriver(clock).run(seconds(5));
    EXPECT_FALSE(app.searchPanel()->isVisible());
    const QList<DeliveredClick> clicks = platform.desktop().readout().clicks();
    ASSERT_GT(clicks.size(), before) << "the item was clicked";
    const auto entry = platform.desktop().readout().entry(clicks.last().itemId);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->applicationName.value_or(QString()), u"1Password"_s);
}

INSTANTIATE_TEST_SUITE_P(Plain, SearchPanelKeysTest, ::testing::Values(false));

} // namespace
} // namespace zorv
