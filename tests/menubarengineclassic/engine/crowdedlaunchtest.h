#pragma once

#include "enginetest.h"

#include <QJsonArray>

#include <optional>

namespace zorv::testing {
// A laptop with a camera housing and a crowded bar on the day the engine first runs.
class CrowdedLaunchTest : public EngineTest {
protected:
    // `applications` one-item applications after the fixed system items, the front application's
    // menus reaching `menus` (none: Finder in front); with `finderMenus`, Finder runs with menus
    // that long; with `external`, a 1920-point display at that origin besides the laptop, whose
    // bar holds the items.
    void furnishCrowdedBar(int applications, std::optional<double> menus,
                           std::optional<QPointF> external = std::nullopt,
                           std::optional<double> finderMenus = std::nullopt) {
        const DisplayId laptop = addLaptop(200.0);
        if (external) {
            ScreenDescription display;
            display.size = {1920.0, 1080.0};
            display.origin = external;
            desktop.arrangement().add(display);
        }
        desktop.arrangement().setMainScreen(laptop);
        addFixedClockAndControlCenter(90.0, 37.0);
        if (finderMenus) {
            desktop.applications().activate(
                launch(QStringLiteral("com.apple.finder"), *finderMenus));
        }
        if (menus) {
            bringToFrontWithMenus(*menus);
        }
        for (int i = 0; i < applications; ++i) {
            const qint32 process = launch(QStringLiteral("com.example.app%1").arg(i));
            apps.append(addItem(process, 22.0 + (i % 4) * 5.0, QStringLiteral("item%1").arg(i)));
        }
        settle();
    }

    // The lane each item stands in, by where it stands against Zorv's separators on the bar.
    [[nodiscard]] QHash<quint64, Section> lanesOnBar() {
        QHash<quint64, Section> lanes;
        Section lane = Section::alwaysHidden;
        for (const quint64 item : barOrder()) {
            if (item == zorvItem(BarItems::zorvAlwaysHiddenSeparatorName)) {
                lane = Section::hidden;
            } else if (item == zorvItem(BarItems::zorvHiddenSeparatorName)) {
                lane = Section::shown;
            } else {
                lanes.insert(item, lane);
            }
        }
        return lanes;
    }

    // The lane the first item list the engine hands out gives each application's item.
    [[nodiscard]] QHash<quint64, Section> lanesFirstPublished() {
        std::optional<QList<MenuBarItem>> first;
        drive([](ClassicEngine &from, std::optional<QList<MenuBarItem>> &into) -> QCoro::Task<> {
            into = co_await from.itemsStream().next();
        }(*engine, first));
        QHash<QString, Section> byApplication;
        for (const MenuBarItem &item : first.value_or(QList<MenuBarItem>{})) {
            byApplication.insert(item.id.bundleID, item.section);
        }
        QHash<quint64, Section> lanes;
        for (qsizetype i = 0; i < apps.size(); ++i) {
            const auto lane = byApplication.constFind(QStringLiteral("com.example.app%1").arg(i));
            if (lane != byApplication.constEnd()) {
                lanes.insert(apps.at(i), *lane);
            }
        }
        return lanes;
    }

    // The items on screen clear of the camera housing and right of the desktop's menus: those
    // longer menus in front cover show as soon as the desktop's come back.
    [[nodiscard]] QSet<quint64> inView(double deskMenus) {
        QSet<quint64> visible;
        for (const quint64 item : std::as_const(apps)) {
            const BarEntry seen = entry(item);
            if (seen.onScreen && !seen.underHousing && seen.frame.left() >= deskMenus) {
                visible.insert(item);
            }
        }
        return visible;
    }

    // Zorv's items kept where a launch without the permission puts them: the icon in sight at the
    // right end, the separators left of it out of order.
    void keepItemsInSight() {
        rememberZorvPositions = false;
        const double iconLength =
            desktop.model().read([](const DesktopState &state) { return state.thickness; });
        const LaunchPlacement inSight =
            LaunchPlacement::inSight(iconLength, SeparatorController::collapsedLength);
        for (const auto &[name, distance] :
             {std::pair{BarItems::zorvIconName, inSight.icon},
              std::pair{BarItems::zorvHiddenSeparatorName, inSight.hiddenSeparator},
              std::pair{BarItems::zorvAlwaysHiddenSeparatorName, inSight.alwaysHiddenSeparator}}) {
            desktop.appPreferences().setValue(AppPreferences::preferredPositionKey(name), distance);
        }
    }

    // A layout the user brought along for the crowded bar: its ten leftmost applications' items
    // always hidden, the next ten hidden, the rest shown.
    struct UsersLayout {
        SectionLayout layout;
        // The applications' items as they stand on the bar, and each one's lane in the layout.
        QList<quint64> leftToRight;
        QHash<quint64, Section> wanted;
    };
    [[nodiscard]] UsersLayout usersLayout() {
        UsersLayout result;
        result.leftToRight = barOrder();
        result.leftToRight.removeIf([this](quint64 item) { return !apps.contains(item); });
        QList<MenuBarItemID> lanes[3];
        for (qsizetype i = 0; i < result.leftToRight.size(); ++i) {
            const Section lane = i < 10   ? Section::alwaysHidden
                                 : i < 20 ? Section::hidden
                                          : Section::shown;
            const qsizetype app = apps.indexOf(result.leftToRight.at(i));
            result.wanted.insert(result.leftToRight.at(i), lane);
            lanes[qsizetype(lane)].append(
                MenuBarItemID{QStringLiteral("com.example.app%1").arg(app),
                              QStringLiteral("item%1").arg(app), std::nullopt, 0});
        }
        result.layout = EngineTest::layoutOf(lanes[qsizetype(Section::shown)],
                                             lanes[qsizetype(Section::hidden)],
                                             lanes[qsizetype(Section::alwaysHidden)]);
        return result;
    }

    // Runs on, after a grant, until the engine has taken it: its placement is then under way.
    void runUntilTheGrantIsTaken() {
        for (int step = 0; step < 500 && records(QStringLiteral("events.jsonl"),
                                                 QStringLiteral("accessibility-granted"))
                                             .isEmpty();
             ++step) {
            run(0.01);
        }
        ASSERT_FALSE(
            records(QStringLiteral("events.jsonl"), QStringLiteral("accessibility-granted"))
                .isEmpty());
    }

    // The separators placed once, the icon in sight, hiding working, and every item in its lane.
    void expectTheUsersLanes(const QHash<quint64, Section> &wanted) {
        EXPECT_EQ(
            records(QStringLiteral("events.jsonl"), QStringLiteral("separators-placed")).size(), 1);
        EXPECT_TRUE(entry(zorvItem(BarItems::zorvIconName)).visible);
        EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
        for (const auto [item, lane] : lanesOnBar().asKeyValueRange()) {
            if (wanted.contains(item)) {
                EXPECT_EQ(lane, wanted.value(item)) << entry(item).frame.left();
            }
        }
    }

    [[nodiscard]] qsizetype watchdogReveals() const {
        return reasons(QStringLiteral("reveal")).count(QStringLiteral("watchdog: icon off-screen"));
    }

    QList<quint64> apps;
};

} // namespace zorv::testing
