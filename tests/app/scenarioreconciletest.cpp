#include "drift/userdrags.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The crowded bar with Zorv's items remembered where a returning user left them, so its icon and
// separators are seated; the scenario's own hands (its drag and key press) are replaced by `hands`.
Scenario crowdedBar(const QJsonArray &hands) {
    QJsonObject scenario = shippedScenario(u"crowded-bar"_s);
    scenario.insert(u"zorvPositions"_s,
                    QJsonObject{{BarItems::zorvIconName, 0},
                                {BarItems::zorvHiddenSeparatorName, 330},
                                {BarItems::zorvAlwaysHiddenSeparatorName, 560}});
    QJsonArray events;
    for (const QJsonValue &event : scenario.value(u"events"_s).toArray()) {
        const QString verb = event.toObject().value(u"do"_s).toString();
        if (verb != u"input"_s && verb != u"dragItem"_s) {
            events.append(event);
        }
    }
    for (const QJsonValue &event : hands) {
        events.append(event);
    }
    scenario.insert(u"events"_s, events);
    return parsedScenario(scenario, u"crowded-bar"_s);
}

// Of the bar's lanes, the items in view that a layout can hold and the user arranges: not the
// system's pinned or transient items, nor Zorv's own.
bool arrangedByTheUser(const BarEntry &entry, const MenuBarItem &item) {
    return entry.frame.width() > 0.0 && !item.id.isSystemPinned() && !item.id.isEphemeral() &&
           item.id.bundleID != SimulatedPlatform::bundleIdentifier;
}

// The engine's identity of the item of `bundleID`, found in `layout`.
MenuBarItemID idOf(const SectionLayout &layout, const QString &bundleID, qint64 ordinal = 0) {
    for (Section lane : allSections) {
        for (const MenuBarItemID &id : layout.ids(lane)) {
            if (id.bundleID == bundleID && id.ordinal == ordinal) {
                return id;
            }
        }
    }
    ADD_FAILURE() << bundleID.toStdString() << " is not in the layout";
    return {};
}

// Where the system puts every item on this Mac, as the engine adopts it with no layout stored.
SectionLayout rememberedLayout() {
    EXPECT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    const Scenario scenario = crowdedBar({});
    SimulatedMac mac(scenario);
    EXPECT_TRUE(mac.app.start());
    // The poll's first scans adopt every item within the first minute.
    mac.driver.run(seconds(70));
    const SectionLayout layout = mac.app.engine()->storedLayout();
    EXPECT_EQ(mac.app.finish(), 0);
    return layout;
}

QJsonObject input(double at, const QString &kind, QPointF where = {}) {
    QJsonObject event{{u"at"_s, at}, {u"do"_s, u"input"_s}, {u"input"_s, kind}};
    if (kind == u"key"_s) {
        event.insert(u"keyCode"_s, 4);
    } else {
        event.insert(u"x"_s, where.x());
        event.insert(u"y"_s, where.y());
    }
    return event;
}

QJsonObject commandDrag(double at, const QString &app, const QString &item, double toX) {
    return {{u"at"_s, at},
            {u"do"_s, u"dragItem"_s},
            {u"app"_s, app},
            {u"item"_s, item},
            {u"toX"_s, toX}};
}

// The user at work from `from` to `until`: every six seconds a mouse move, a click on the
// desktop, two key presses and a scroll within 1.2 s, a little further right each time.
void appendBusyHands(QJsonArray &events, double from, double until) {
    for (double at = from; at < until; at += 6.0) {
        const QPointF where(200.0 + at, 400.0);
        for (const QJsonObject &event :
             {input(at, u"mouseMove"_s, where), input(at + 0.3, u"leftClick"_s, where),
              input(at + 0.6, u"key"_s), input(at + 0.9, u"key"_s),
              input(at + 1.2, u"scroll"_s, where)}) {
            events.append(event);
        }
    }
}

// The ids of `lane` that `onBar` holds, in the lane's order.
QList<MenuBarItemID> restrictedTo(const QList<MenuBarItemID> &lane, const Lanes &onBar) {
    QList<MenuBarItemID> kept;
    for (const MenuBarItemID &id : lane) {
        if (std::any_of(onBar.cbegin(), onBar.cend(),
                        [&id](const QList<MenuBarItemID> &ids) { return ids.contains(id); })) {
            kept.append(id);
        }
    }
    return kept;
}

// An item the user Command-drags to `toX` while a run has the bar revealed and the cursor is
// theirs.
struct Drop {
    const char *bundleID;
    const char *item;
    double toX;
    // Only once the run has dragged something itself.
    bool afterTheRunsDrags = false;
};

struct Hands {
    const char *name;
    bool busy;
    // The wanted layout keeps every item in its section: only the order inside them differs.
    bool withinSections;
    // Dropped one after another amid the runs, at least half a second apart.
    std::vector<Drop> amidARun;

    friend void PrintTo(const Hands &hands, std::ostream *out) { *out << hands.name; }
};

class ScenarioReconcileTest : public ::testing::TestWithParam<Hands> {
protected:
    // Where the busy user leaves the pointer at the end.
    static constexpr QPointF kLastPointer{640.0, 300.0};
};

// A stored layout that differs from where the system remembers the items (reordered within the
// shown and hidden lanes, and for two of the cases one item out of hidden and one into it) is
// brought about on the crowded
// bar within a simulated hour: the bar ends in the wanted order, and the cursor shown, attached
// and where the user left it. The busy user clicks, types and scrolls through the first runs and
// Command-drags items of their own; no engine drag starts under their hands.
TEST_P(ScenarioReconcileTest, bringsTheStoredLayoutAbout) {
    const bool busy = GetParam().busy;
    const SectionLayout remembered = rememberedLayout();
    const auto id = [&](const QString &bundleID, qint64 ordinal = 0) {
        return idOf(remembered, bundleID, ordinal);
    };
    const MenuBarItemID textInput = id(u"com.apple.TextInputMenuAgent"_s);
    const MenuBarItemID dropbox = id(u"com.getdropbox.dropbox"_s);
    const MenuBarItemID onePassword = id(u"com.1password.1password"_s);
    const MenuBarItemID docker = id(u"com.docker.docker"_s);
    const MenuBarItemID drive = id(u"com.google.drivefs"_s);
    const MenuBarItemID raycast = id(u"com.raycast.macos"_s);
    const MenuBarItemID tailscale = id(u"io.tailscale.ipn.macos"_s);
    const MenuBarItemID cpu = id(u"com.bjango.istatmenus"_s, 2);
    ASSERT_EQ(remembered.ids(Section::shown), (QList{onePassword, dropbox, textInput}));
    ASSERT_EQ(remembered.ids(Section::hidden), (QList{cpu, tailscale, raycast, drive, docker}));
    SectionLayout wanted = remembered;
    if (GetParam().withinSections) {
        wanted.sections[Section::shown] = {textInput, onePassword, dropbox};
        wanted.sections[Section::hidden] = {docker, raycast, cpu, drive, tailscale};
    } else {
        wanted.sections[Section::shown] = {textInput, raycast, dropbox};
        wanted.sections[Section::hidden] = {docker, onePassword, cpu, drive, tailscale};
    }
    wanted = wanted.normalized();
    storeLayout(wanted);

    // The user leaves the pointer on the desktop before the first run.
    QPointF pointer(700.0, 450.0);
    QJsonArray hands{input(5.0, u"mouseMove"_s, pointer)};
    SectionLayout expected = wanted;
    if (busy) {
        appendBusyHands(hands, 38.5, 130.0);
        // Settled and tucked, the user drops Dropbox on the hidden separator, which the system
        // takes as the left end of the shown items.
        hands.append(commandDrag(250.0, u"com.getdropbox.dropbox"_s, u"dropbox"_s, 700.0));
        hands.append(input(255.0, u"mouseMove"_s, kLastPointer));
    }
    const Scenario scenario = crowdedBar(hands);
    SimulatedMac mac(scenario);
    ASSERT_TRUE(mac.app.start());
    // Amid a run, the bar revealed and the cursor not borrowed, the user drops items elsewhere.
    // The run tells their drags from its own, takes each into the wanted layout where it was
    // dropped, among the neighbours it has on the bar then, waits for the user's hands and plans
    // again from the bar it scans: it never drags the item back.
    const std::vector<Drop> &drops = GetParam().amidARun;
    std::size_t dropped = 0;
    std::optional<MonotonicTime> lastDrop;
    bool cursorBorrowed = false;
    while (dropped < drops.size() && mac.clock.now() < seconds(130)) {
        mac.driver.run(seconds(0.1));
        const ClassicEngine &engine = *mac.app.engine();
        cursorBorrowed = cursorBorrowed || engine.cursor().session();
        const Drop &drop = drops.at(dropped);
        if (!engine.reconcileInFlight() || engine.cursor().session() ||
            (lastDrop && mac.clock.now() - *lastDrop < seconds(0.5)) ||
            (drop.afterTheRunsDrags && !cursorBorrowed)) {
            continue;
        }
        const std::optional<qint32> process =
            mac.platform.scenario().player().processId(QString::fromUtf8(drop.bundleID));
        ASSERT_TRUE(process);
        const std::optional<quint64> item =
            mac.platform.desktop().items().find(*process, QString::fromUtf8(drop.item));
        if (!item || !mac.platform.desktop().userInput().commandDragItem(*item, drop.toX)) {
            continue;
        }
        lastDrop = mac.clock.now();
        ++dropped;
        pointer = mac.platform.desktop().readout().cursor().location;
        mac.driver.run(seconds(0.2));
        const Lanes onBar = mac.lanes(arrangedByTheUser);
        const MenuBarItemID moved = id(QString::fromUtf8(drop.bundleID));
        const auto lane = std::find_if(onBar.cbegin(), onBar.cend(),
                                       [&moved](const auto &ids) { return ids.contains(moved); });
        ASSERT_NE(lane, onBar.cend());
        expected = UserDrags::placedIn(expected, moved, lane.key(), *lane);
    }
    ASSERT_EQ(dropped, drops.size());
    if (busy) {
        pointer = kLastPointer;
        // The drop at the hidden separator: Dropbox first among the shown items.
        QList<MenuBarItemID> shown = expected.ids(Section::shown);
        shown.removeAll(dropbox);
        shown.prepend(dropbox);
        expected.sections[Section::shown] = shown;
    }

    // When the bar last came into the expected order, in seconds of simulated time.
    std::optional<double> settledAt;
    Lanes lanes;
    while (mac.clock.now() < seconds(3600)) {
        mac.driver.run(seconds(1));
        lanes = mac.lanes(arrangedByTheUser);
        const bool inOrder = lanes.value(Section::shown) == expected.ids(Section::shown) &&
                             lanes.value(Section::hidden) == expected.ids(Section::hidden);
        settledAt =
            inOrder ? settledAt.value_or(toSeconds(mac.clock.now())) : std::optional<double>();
    }
    ASSERT_TRUE(settledAt);
    RecordProperty("settledAtSecond", QString::number(*settledAt).toStdString());

    // The bar and the engine's layout agree lane by lane; the layout is the wanted one but for
    // the user's own order and the item of the application that answered only later, and it is
    // the one the model saves.
    const SectionLayout &stored = mac.app.engine()->storedLayout();
    for (const Section lane : allSections) {
        SCOPED_TRACE(rawValue(lane).toStdString());
        EXPECT_EQ(lanes.value(lane), restrictedTo(stored.ids(lane), lanes));
        const QList<MenuBarItemID> expectedLane = expected.ids(lane);
        EXPECT_EQ(restrictedTo(stored.ids(lane), {{lane, expectedLane}}), expectedLane);
    }
    EXPECT_EQ(mac.app.model()->layoutStore().value(), stored);

    const CursorState cursor = mac.platform.desktop().readout().cursor();
    EXPECT_TRUE(cursor.mouseAssociated);
    EXPECT_EQ(cursor.location, pointer);
    for (const int hides : cursor.hideCounts) {
        EXPECT_EQ(hides, 0);
    }

    // No drag starts within the idle wait of the user's last input.
    std::optional<double> lastUserInput;
    int engineDrags = 0;
    for (const LoggedEvent &event : mac.platform.desktop().readout().events()) {
        if (event.origin == EventOrigin::User) {
            lastUserInput = toSeconds(event.at);
        } else if (event.type == EventType::LeftMouseDown) {
            ++engineDrags;
            EXPECT_GE(toSeconds(event.at) - lastUserInput.value_or(-10.0), 1.5)
                << "an engine drag at " << toSeconds(event.at) << " s";
        }
    }
    int runs = 0;
    int loggedDrags = 0;
    int scriptAdoptions = 0;
    for (const QJsonObject &line : reconcileLog()) {
        scriptAdoptions += line.value(u"kind"_s) == u"adopt"_s &&
                           line.value(u"item"_s).toString().startsWith(u"pid:"_s);
        if (line.contains(u"moves"_s)) {
            ++runs;
            loggedDrags += line.value(u"timing"_s).toObject().value(u"drags"_s).toInt();
        }
    }
    EXPECT_EQ(loggedDrags, engineDrags);
    // The script's item (no bundle identifier) is never adopted: no layout can keep it.
    EXPECT_EQ(scriptAdoptions, 0);
    RecordProperty("runs", runs);
    RecordProperty("drags", engineDrags);
    EXPECT_EQ(mac.app.finish(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    CrowdedBar, ScenarioReconcileTest,
    ::testing::Values(Hands{"quiet", false, false, {}},
                      Hands{"quietWithinSections", false, true, {}},
                      Hands{"busy", true, false, {{"com.docker.docker", "docker", 1100.0}}},
                      Hands{"hidesTwoAmidARun",
                            false,
                            false,
                            {{"com.raycast.macos", "raycast", 760.0},
                             {"com.getdropbox.dropbox", "dropbox", 760.0}}},
                      // The run takes Raycast into the shown lane; the user hides it again.
                      Hands{"hidesWhatTheRunShowed",
                            false,
                            false,
                            {{"com.raycast.macos", "raycast", 760.0, true}}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
