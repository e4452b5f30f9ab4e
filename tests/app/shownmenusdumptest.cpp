#include "desktopdump.h"
#include "menus/barmenutitles.h"
#include "modelprofiles.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The titles of a dumped menu's rows, and those of its highlighted rows.
QStringList rowTitles(const QJsonObject &menu, bool highlightedOnly = false) {
    QStringList titles;
    for (const QJsonValue &row : menu.value(u"rows"_s).toArray()) {
        if (!highlightedOnly || row[u"highlighted"_s].toBool()) {
            titles.append(row[u"title"_s].toString());
        }
    }
    return titles;
}

QJsonObject rowTitled(const QJsonObject &menu, const QString &title) {
    for (const QJsonValue &row : menu.value(u"rows"_s).toArray()) {
        if (row[u"title"_s].toString() == title) {
            return row.toObject();
        }
    }
    return {};
}

class ShownMenusDumpTest : public WholeAppTest {
protected:
    ShownMenusDumpTest() : WholeAppTest(reachableLaptop({})) {}

    [[nodiscard]] QJsonArray dumpedMenus() {
        return DesktopDump::toJson(platform).value(u"menus"_s).toArray();
    }
};

// The status menu with its profiles submenu open and Option held, then a menu of the main menu
// in the bar: each with its rows as shown and its highlight; nothing once the menus close.
TEST_F(ShownMenusDumpTest, ListsTheOpenMenusWithTheirRowsAndHighlight) {
    launch(tourDoneSettings);
    app.model()->profileOps().saveProfileFromCurrent(u"Work"_s);
    EXPECT_TRUE(dumpedMenus().isEmpty());
    clickIcon();
    ASSERT_TRUE(mac().menus().userHovers(u"Profile"_s));
    mac().userInput().keyDown(KeyCode::option, EventFlags::option);
    drain();

    QJsonArray menus = dumpedMenus();
    ASSERT_EQ(menus.size(), 2);
    const QJsonObject status = menus[0].toObject();
    EXPECT_EQ(status.value(u"barTitle"_s), QJsonValue(QJsonValue::Null));
    EXPECT_TRUE(status.value(u"optionHeld"_s).toBool());
    EXPECT_EQ(QRectF(status[u"frame"_s][u"x"_s].toDouble(), status[u"frame"_s][u"y"_s].toDouble(),
                     status[u"frame"_s][u"width"_s].toDouble(),
                     status[u"frame"_s][u"height"_s].toDouble()),
              mac().menus().frame());
    EXPECT_TRUE(rowTitles(status).contains(u"Reveal All Items"_s));
    EXPECT_FALSE(rowTitles(status).contains(u"Reveal Hidden Items"_s));
    EXPECT_EQ(rowTitles(status, true), QStringList{u"Profile"_s});
    EXPECT_TRUE(rowTitled(status, u"Profile"_s).value(u"submenu"_s).toBool());
    EXPECT_EQ(rowTitled(status, u"Settings…"_s).value(u"keyEquivalent"_s), u"⌘,"_s);
    EXPECT_TRUE(rowTitled(status, u"Settings…"_s).value(u"enabled"_s).toBool());
    const QJsonObject profiles = menus[1].toObject();
    EXPECT_EQ(profiles.value(u"of"_s), u"Profile"_s);
    EXPECT_TRUE(rowTitles(profiles).contains(u"Work"_s));
    EXPECT_TRUE(rowTitles(profiles, true).isEmpty());

    mac().userInput().keyUp(KeyCode::option, EventFlags::none);
    press(KeyCode::escape);
    EXPECT_TRUE(dumpedMenus().isEmpty());

    // With Zorv in front, its Edit menu hangs from its title in the bar.
    clickIcon();
    const auto settings = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    ASSERT_TRUE(settings);
    click(*settings);
    run(1);
    const auto now = clock.now();
    const auto edit = mac().model().read([&](const DesktopState &state) {
        const QList<BarMenuTitle> titles =
            BarMenuTitles::on(state, now, state.screens.first().displayId);
        return titles.size() > 2 ? std::optional(titles[2].frame.center()) : std::nullopt;
    });
    ASSERT_TRUE(edit);
    click(*edit);
    ASSERT_TRUE(mac().menus().userHovers(u"Select All"_s));
    menus = dumpedMenus();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0][u"barTitle"_s], u"Edit"_s);
    EXPECT_EQ(rowTitles(menus[0].toObject(), true), QStringList{u"Select All"_s});
    EXPECT_EQ(rowTitled(menus[0].toObject(), u"Select All"_s).value(u"keyEquivalent"_s), u"⌘A"_s);
}

// With the keyboard in the profiles submenu, the submenu's row under the highlight is the one it
// reports lit, while the status menu still reports the Profile row it hangs from.
TEST_F(ShownMenusDumpTest, TheSubmenuReportsItsOwnHighlightedRow) {
    launch(tourDoneSettings);
    app.model()->profileOps().saveProfileFromCurrent(u"Work"_s);
    app.model()->profileOps().saveProfileFromCurrent(u"Home"_s);
    clickIcon();
    ASSERT_TRUE(mac().menus().userHovers(u"Profile"_s));
    press(KeyCode::rightArrow);
    press(KeyCode::downArrow);

    const QJsonArray menus = dumpedMenus();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(rowTitles(menus[0].toObject(), true), QStringList{u"Profile"_s});
    const QStringList profiles = rowTitles(menus[1].toObject());
    ASSERT_GE(profiles.size(), 2);
    EXPECT_EQ(rowTitles(menus[1].toObject(), true), QStringList{profiles[1]});
}

// Another application's item menu and the click that opened it go on naming the item and its
// owner once the owner has quit and taken them away.
TEST_F(ShownMenusDumpTest, AnItemMenuClosedByItsOwnerQuittingKeepsItsItem) {
    launch(tourDoneSettings);
    const qint32 zorv = mac().applications().currentProcessId();
    const QList<BarEntry> bar = mac().readout().bar();
    const auto item = std::ranges::find_if(bar, [&](const BarEntry &entry) {
        return entry.visible && !entry.immovable && entry.processId != zorv;
    });
    ASSERT_NE(item, bar.end());
    click(item->frame.center());
    ASSERT_TRUE(mac().readout().openItemMenu());
    ASSERT_TRUE(mac().applications().quit(item->processId));
    drain();

    const QJsonObject dump = DesktopDump::toJson(platform);
    const QJsonObject closing = dump.value(u"itemMenuClosings"_s).toArray().last().toObject();
    EXPECT_EQ(closing.value(u"why"_s), u"owner quit"_s);
    const QJsonObject clicked = dump.value(u"itemClicks"_s).toArray().last().toObject();
    const auto named = [](const QJsonObject &record) {
        std::vector<std::string> names;
        for (const QString &key :
             {u"application"_s, u"bundleId"_s, u"title"_s, u"autosaveName"_s}) {
            names.push_back(record.value(key).toString().toStdString());
        }
        return names;
    };
    const std::vector<std::string> expected{
        item->applicationName.value_or(QString()).toStdString(),
        item->bundleIdentifier.value_or(QString()).toStdString(), item->title.toStdString(),
        item->autosaveName.toStdString()};
    EXPECT_EQ(named(closing), expected);
    EXPECT_EQ(named(clicked), expected);
}

// The banner on the screen when the run ends is in the dump `--sim-dump` writes; one that has
// gone is not.
TEST(ShownBannerDumpTest, TheDumpHoldsTheBannerShownAtTheEnd) {
    for (const auto &[seconds, shown] : {std::pair{2.0, true}, std::pair{6.0, false}}) {
        SCOPED_TRACE(seconds);
        ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
        markWelcomeTourDone();
        const QTemporaryDir folder;
        SimOptions options;
        options.dumpPath = folder.filePath(u"dump.json"_s);
        SimulatedMac mac(oneItemMac(), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(1);
        SimUserNotifications &center = mac.platform.desktop().notifications();
        center.setAuthorization(NotificationAuthorization::Authorized);
        center.add({u"rule"_s, u"Zorv"_s, u"Revealed the hidden items: on battery."_s});
        mac.run(seconds);
        ASSERT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();

        QFile file(options.dumpPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonValue banner = QJsonDocument::fromJson(file.readAll())[u"banner"_s];
        if (shown) {
            EXPECT_EQ(banner, QJsonValue(QJsonObject{
                                  {u"title"_s, u"Zorv"_s},
                                  {u"body"_s, u"Revealed the hidden items: on battery."_s}}));
        } else {
            EXPECT_EQ(banner, QJsonValue(QJsonValue::Null));
        }
    }
}

} // namespace
} // namespace zorv
