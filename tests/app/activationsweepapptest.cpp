#include "desktopapp.h"
#include "desktopdump.h"
#include "engine/classicengine.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "search/searchpanelcontroller.h"
#include "search/searchpanelmodel.h"
#include "search/stablekey.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"
#include "windows/itemrowsmodel.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QSet>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 keyF = 3;
// The keys 1 to 9 by their place on the keyboard.
constexpr std::array<quint16, 9> digitKeys{18, 19, 20, 21, 23, 22, 26, 28, 25};

QByteArray fileContents(const QString &name) {
    QFile file(ZorvPaths::file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shipped crowded bars as they stand at their start: the items pushed under the front
// application's menus, behind the camera housing and past the left edge stay there.
Scenario withoutEvents(const char *name) {
    Scenario scenario = ScenarioLoader::load(QString::fromUtf8(name));
    scenario.events.clear();
    return scenario;
}

class ActivationSweepAppTest : public WholeAppTest,
                               public ::testing::WithParamInterface<const char *> {
protected:
    ActivationSweepAppTest() : WholeAppTest(withoutEvents(GetParam())) {}

    SearchPanelModel &search() { return *app.searchPanel()->search(); }
    void openSearch() {
        mac().userInput().pressKey(keyF, EventFlags::option | EventFlags::command);
        drain();
        ASSERT_TRUE(app.searchPanel()->isVisible());
    }
    [[nodiscard]] QStringList rowKeys() {
        QStringList keys;
        QAbstractItemModel &rows = *search().results();
        for (int row = 0; row < rows.rowCount(); ++row) {
            keys.append(rows.index(row, 0).data(ItemRowsModel::KeyRole).toString());
        }
        return keys;
    }
    // Each item's lane and place on the bar, as the engine reads them.
    [[nodiscard]] QList<std::pair<QString, Section>> lanes() {
        QList<std::pair<QString, Section>> result;
        for (const MenuBarItem &item : app.engine()->lastItems()) {
            if (!item.isDormant) {
                result.append({stableKey(item.id), item.section});
            }
        }
        return result;
    }
    // Whether the application with this bundle identifier hangs.
    [[nodiscard]] bool hangs(const QString &bundleID) {
        const QList<AppRecord> running = mac().applications().applications();
        return std::any_of(running.cbegin(), running.cend(), [&](const AppRecord &record) {
            return record.bundleIdentifier == bundleID && record.hung;
        });
    }
};

// Every item the search panel lists opens when picked, with Command and its digit for the first
// nine rows and the arrows and Return for the rest, wherever it stands: it is clicked where a
// click lands on it and pressed elsewhere. Only an application that does not answer fails, and
// says so. Once the bar has tucked again the lanes and the stored layout are as before.
TEST_P(ActivationSweepAppTest, SearchOpensEveryItemOnTheBar) {
    ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings, 300));
    ASSERT_FALSE(app.engine()->isRevealed());
    const QByteArray layout = fileContents(u"layout.json"_s);
    const QList<std::pair<QString, Section>> lanesBefore = lanes();
    ASSERT_NO_FATAL_FAILURE(openSearch());
    const QStringList keys = rowKeys();
    ASSERT_GT(keys.size(), 15);
    press(KeyCode::escape);

    QHash<QString, QSet<quint64>> opened;
    QHash<QString, int> asked;
    for (const QString &key : keys) {
        ASSERT_NO_FATAL_FAILURE(openSearch());
        const int row = int(rowKeys().indexOf(key));
        ASSERT_GE(row, 0) << key.toStdString();
        const qsizetype before = mac().readout().clicks().size();
        if (row < int(digitKeys.size())) {
            press(digitKeys.at(row), EventFlags::command);
        } else {
            for (int step = 0; step < row; ++step) {
                press(KeyCode::downArrow);
            }
            press(KeyCode::returnKey);
        }
        run(3);
        const QString bundleID = key.section(u'#', 0, 0);
        const QList<DeliveredClick> clicks = mac().readout().clicks();
        if (hangs(bundleID)) {
            EXPECT_EQ(clicks.size(), before) << key.toStdString();
            EXPECT_TRUE(fileContents(u"hotkey-log.txt"_s)
                            .contains((u"key="_s + key + u" activate FAILED"_s).toUtf8()))
                << key.toStdString();
            continue;
        }
        ASSERT_EQ(clicks.size(), before + 1) << key.toStdString() << " was not opened";
        const std::optional<BarEntry> entry = mac().readout().entry(clicks.last().itemId);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->bundleIdentifier.value_or(u"pid:"_s + QString::number(entry->processId)),
                  bundleID)
            << key.toStdString();
        opened[bundleID].insert(entry->itemId);
        ++asked[bundleID];
    }
    for (auto count = asked.cbegin(); count != asked.cend(); ++count) {
        EXPECT_EQ(opened.value(count.key()).size(), count.value())
            << count.key().toStdString() << ": each of its items opened";
    }

    // The dump lists what each item received: here clicks and, out of a click's reach, presses.
    const QJsonArray dumped = DesktopDump::toJson(platform, app.engine(), app.model(), nullptr)
                                  .value(u"itemClicks"_s)
                                  .toArray();
    EXPECT_EQ(dumped.size(), mac().readout().clicks().size());
    EXPECT_TRUE(std::any_of(dumped.cbegin(), dumped.cend(),
                            [](const QJsonValue &click) { return click[u"via"_s] == u"press"_s; }));

    // The auto-hide waits for the last item's menu, which the user closes.
    press(KeyCode::escape);
    run(15);
    EXPECT_FALSE(app.engine()->isRevealed());
    EXPECT_EQ(lanes(), lanesBefore);
    EXPECT_EQ(fileContents(u"layout.json"_s), layout);

    // A click on an item its application has taken away since is still that application's.
    const DeliveredClick last = mac().readout().clicks().last();
    const std::optional<BarEntry> clicked = mac().readout().entry(last.itemId);
    ASSERT_TRUE(clicked.has_value());
    ASSERT_TRUE(mac().items().remove(last.itemId));
    const QJsonArray after = DesktopDump::toJson(platform).value(u"itemClicks"_s).toArray();
    ASSERT_FALSE(after.isEmpty());
    EXPECT_EQ(after.last()[u"bundleId"_s].toString(),
              clicked->bundleIdentifier.value_or(QString()));
}

INSTANTIATE_TEST_SUITE_P(CrowdedBars, ActivationSweepAppTest,
                         ::testing::Values("crowded-bar", "crowded-first-launch", "on-the-go"),
                         [](const auto &info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace zorv
