#include "activation/itempress.h"
#include "activationtest.h"
#include "coroutinetest.h"
#include "workrunner.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

enum class Target { shown, hidden, alwaysHidden };
// `rearranged`: the laptop, on which the user drags another item across the one asked for
// between the engine's look at the bar and its click; `coveredMeanwhile`: the laptop, on which an
// application with menus over the item comes to the front then; `underHungMenus`: menus over the
// item of an application in front that hangs, so cannot say how far they reach;
// `autoHideDue`: the lanes the user revealed are due to tuck between the look and the click, and
// `heldOpenMeanwhile`: a rule then holds them in view; `ownerHangsMeanwhile` and
// `frontHangsMeanwhile`: the item's application, or the one in front with short menus, hangs
// between the click's press and its release; `startsHiding`: the display's bar starts hiding
// itself before the press, and `movesToAnotherDisplay`: the bar moves to the second display
// between the press and the release; `runClosing`: a run's closing tuck comes during the click,
// `runClosingAutoHideOff` the same with the auto-hide switched off; `runPushesBehindHousing`: the
// item stands behind the camera housing until the run drags the long item right of it away, and
// `runPushesWithShortMenus` the same under an application's menus that end left of every item (the
// drag takes the item right, clear of them);
// `runShowsAlwaysHidden`: a run revealed the always-hidden section to drag its item out into the
// shown one, and the item asked for stands left of that one, off the screen past a long item.
enum class Bar {
    laptop,
    leftOfMain,
    rightOfMain,
    autoHidden,
    underMenus,
    underHungMenus,
    housing,
    rearranged,
    coveredMeanwhile,
    autoHideDue,
    ownerHangsMeanwhile,
    frontHangsMeanwhile,
    heldOpenMeanwhile,
    startsHiding,
    movesToAnotherDisplay,
    runClosing,
    runClosingAutoHideOff,
    runPushesBehindHousing,
    runPushesWithShortMenus,
    runShowsAlwaysHidden
};

// A rule of the user's holds the lanes in view once `after` seconds have passed.
QCoro::Task<> holdOpenAfter(Clock &clock, ClassicEngine &engine, double after) {
    co_await clock.sleep(seconds(after));
    co_await engine.setHiddenRevealed(true, true, true);
}

struct ActivationCase {
    const char *name;
    Bar bar;
    Target target;
    bool wasTucked;
    // Whether the reveal includes the always-hidden section (when there is one).
    bool includingAlwaysHidden;
    // Where the item stands that no click lands; empty where one does.
    QString notClickable = {};

    friend void PrintTo(const ActivationCase &c, std::ostream *out) { *out << c.name; }
};

class ActivationTest : public EngineTest, public ::testing::WithParamInterface<ActivationCase> {};

// The item is clicked where a click lands on it, and otherwise opened through its element.
TEST_P(ActivationTest, opensTheItemAfterBringingItIntoView) {
    const ActivationCase &activation = GetParam();
    const Bar bar = activation.bar;
    const bool runPushes =
        bar == Bar::runPushesBehindHousing || bar == Bar::runPushesWithShortMenus;
    const DisplayId laptop = addLaptop(bar == Bar::housing ? 700.0 : runPushes ? 200.0 : 0.0);
    std::optional<DisplayId> second;
    if (bar == Bar::leftOfMain || bar == Bar::rightOfMain || bar == Bar::movesToAnotherDisplay) {
        ScreenDescription description;
        description.size = {1920, 1080};
        description.origin = QPointF(bar == Bar::leftOfMain ? -1920 : 1512, -98);
        second = desktop.arrangement().add(description);
        desktop.arrangement().setMainScreen(bar == Bar::movesToAnotherDisplay ? laptop : *second);
    } else {
        desktop.arrangement().setMainScreen(laptop);
        desktop.arrangement().setAutoHidesMenuBar(laptop, activation.bar == Bar::autoHidden);
    }
    std::optional<qint32> editor;
    if (activation.bar == Bar::underMenus || activation.bar == Bar::underHungMenus ||
        activation.bar == Bar::frontHangsMeanwhile || bar == Bar::runPushesWithShortMenus) {
        editor = launch(u"com.example.editor"_s, bar == Bar::frontHangsMeanwhile       ? 100.0
                                                 : bar == Bar::runPushesWithShortMenus ? 250.0
                                                                                       : 1450.0);
        desktop.applications().activate(*editor);
        desktop.applications().setHung(*editor, activation.bar == Bar::underHungMenus);
    }
    furnishSections(bar == Bar::housing ? 800.0 : bar == Bar::runShowsAlwaysHidden ? 1310.0 : 30.0);
    const quint64 other = addItem(toolsProcess, runPushes ? 670.0 : 30.0, u"other"_s);
    if (runPushes) {
        // The hidden lane reaches out left of the housing, where the long item can be dropped.
        desktop.items().setLength(hidden, 300.0);
        arrange({always, zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), hidden,
                 zorvItem(BarItems::zorvHiddenSeparatorName), shown, other,
                 zorvItem(BarItems::zorvIconName)});
    } else if (bar == Bar::runShowsAlwaysHidden) {
        arrange({hidden, always, zorvItem(BarItems::zorvAlwaysHiddenSeparatorName),
                 zorvItem(BarItems::zorvHiddenSeparatorName), other, shown,
                 zorvItem(BarItems::zorvIconName)});
    } else {
        arrangeSections({other});
    }
    startEngine();
    if (bar == Bar::autoHideDue || bar == Bar::heldOpenMeanwhile) {
        drive(engine->setHiddenRevealed(true, true, false));
        run(engine->autoRehideSeconds() - 0.03);
    }
    if (bar == Bar::runClosingAutoHideOff) {
        engine->setAutoRehideSeconds(0.0);
    }
    std::optional<QCoro::Task<>> reconciling;
    const bool whileDragging = runPushes || bar == Bar::runShowsAlwaysHidden;
    if (bar == Bar::runClosing || bar == Bar::runClosingAutoHideOff || whileDragging) {
        engine->setReorderEnabled(true);
        if (runPushes) {
            drive(engine->apply(layoutOf({idOf(u"shown"_s)}, {idOf(u"hidden"_s), idOf(u"other"_s)},
                                         {idOf(u"always"_s)})));
        } else if (bar == Bar::runShowsAlwaysHidden) {
            drive(engine->apply(layoutOf({idOf(u"other"_s), idOf(u"always"_s), idOf(u"shown"_s)},
                                         {idOf(u"hidden"_s)}, {})));
        }
        reconciling = engine->reconcileMenuBar(u"user-move"_s);
        // Asked once the run has revealed the lanes for its drag; or once it has written its
        // record, when it tucks 0.35 s later, during the click.
        const auto due = [&] {
            return runPushes                          ? onScreen(hidden)
                   : bar == Bar::runShowsAlwaysHidden ? onScreen(always)
                                                      : !engine->lastReconcile().isEmpty();
        };
        for (int step = 0; step < 1000 && !due(); ++step) {
            run(0.01);
        }
        ASSERT_TRUE(due()) << "the run never came that far";
        if (!whileDragging) {
            run(0.3);
        }
    }
    const double rehideDelay = engine->autoRehideSeconds() > 0.0
                                   ? engine->autoRehideSeconds()
                                   : ClassicEngine::defaultAutoRehideSeconds;

    const auto [name, item] = QList<std::pair<QString, quint64>>{
        {u"shown"_s, shown},
        {u"hidden"_s, hidden},
        {u"always"_s, always}}.at(static_cast<int>(activation.target));
    // Past the item, which then stands where the other one did: before the click's press.
    QCoro::Task<> hands = meanwhile(clock, 0.03, [&] {
        if (activation.bar == Bar::rearranged) {
            desktop.userInput().commandDragItem(other, entry(item).frame.right() - 2.0);
        } else if (activation.bar == Bar::coveredMeanwhile) {
            desktop.applications().activate(launch(u"com.example.editor"_s, 1450.0));
        } else if (bar == Bar::startsHiding) {
            desktop.arrangement().setAutoHidesMenuBar(laptop, true);
        }
    });
    // After the auto-hide came due, before the press.
    std::optional<QCoro::Task<>> rule;
    if (bar == Bar::heldOpenMeanwhile) {
        rule = holdOpenAfter(clock, *engine, 0.06);
    }
    // After the press: the click's release is 0.09 s behind it.
    QCoro::Task<> hangs = meanwhile(clock, 0.1, [&] {
        if (activation.bar == Bar::ownerHangsMeanwhile) {
            desktop.applications().setHung(toolsProcess, true);
        } else if (activation.bar == Bar::frontHangsMeanwhile) {
            desktop.applications().setHung(*editor, true);
        } else if (bar == Bar::movesToAnotherDisplay) {
            desktop.arrangement().setMainScreen(second);
        }
    });
    // Whether a run was in flight at the click, and how long after the request it came.
    std::optional<std::pair<bool, double>> atClick;
    const MonotonicTime asked = clock.now();
    QObject::connect(&desktop.model(), &DesktopModel::clickDelivered, &desktop.model(), [&] {
        atClick = {engine->reconcileInFlight(), toSeconds(clock.now() - asked)};
    });
    drive(engine->activate(idOf(name), ClickKind::right));
    drive(std::move(hands));
    drive(std::move(hangs));
    if (rule) {
        drive(std::move(*rule));
    }

    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, item);
    EXPECT_EQ(clicks.first().kind, ItemClickKind::Right);
    // Asked for during a run's drag, it is opened at the run's next pause, not once the run ends.
    ASSERT_TRUE(atClick.has_value());
    if (whileDragging) {
        EXPECT_TRUE(atClick->first) << "the run had ended";
        EXPECT_LT(atClick->second, 1.0) << "it waited past the drag under way";
    }
    const bool clickable = activation.notClickable.isEmpty();
    EXPECT_EQ(clicks.first().via, clickable ? ItemOpening::Click : ItemOpening::ShowMenu);
    const QList<LoggedEvent> events = desktop.readout().events();
    const bool nudged = std::any_of(events.cbegin(), events.cend(), [](const LoggedEvent &event) {
        return event.type == EventType::MouseMoved && event.location.y() == 0.0;
    });
    EXPECT_EQ(nudged, bar == Bar::autoHidden || bar == Bar::startsHiding);
    const QJsonObject record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(record.keys(),
              clickable
                  ? (QStringList{u"at"_s, u"item"_s, u"kind"_s, u"menuBarCameBack"_s, u"outcome"_s,
                                 u"wasTucked"_s, u"x"_s, u"y"_s})
                  : (QStringList{u"action"_s, u"at"_s, u"item"_s, u"kind"_s, u"menuBarCameBack"_s,
                                 u"outcome"_s, u"wasTucked"_s, u"why"_s}));
    EXPECT_EQ(std::tuple(record.value(u"outcome"_s), record.value(u"wasTucked"_s),
                         record.value(u"menuBarCameBack"_s)),
              std::tuple(QJsonValue(clickable ? u"clicked"_s : u"pressed"_s),
                         QJsonValue(activation.wasTucked), QJsonValue(true)));
    if (!clickable) {
        EXPECT_EQ(record.value(u"why"_s).toString(), activation.notClickable);
        EXPECT_EQ(record.value(u"action"_s).toString(), u"AXShowMenu"_s);
    }
    QList<QJsonObject> reveals = records(u"events.jsonl"_s, u"reveal"_s);
    reveals.removeIf([](const QJsonObject &reveal) {
        return reveal[u"reason"_s] == u"request"_s || reveal[u"reason"_s] == u"automation-hold"_s;
    });
    ASSERT_EQ(reveals.size(), activation.wasTucked ? 1 : 0);
    // The item's menu stays open until the user closes it; a tuck would wait for that.
    EXPECT_TRUE(desktop.readout().openItemMenu().has_value());
    EXPECT_TRUE(engine->isRevealed() || !activation.wasTucked);
    desktop.userInput().pressKey(KeyCode::escape);
    if (activation.wasTucked) {
        EXPECT_EQ(reveals.first().value(u"reason"_s).toString(), u"activate"_s);
        EXPECT_EQ(reveals.first().value(u"includingAlwaysHidden"_s).toBool(),
                  activation.includingAlwaysHidden);
    }
    // What the activation revealed or found revealed stays in view for the auto-hide's delay from
    // the click, and the auto-hide then tucks it: a tuck that came due meanwhile was held for the
    // click and waits as long. Activation never tucks by itself. A rule's hold keeps it in view.
    // A run that had it all in view already tucks it itself once its drags are done.
    const bool tucksLater = (activation.wasTucked && bar != Bar::runShowsAlwaysHidden) ||
                            bar == Bar::autoHideDue || bar == Bar::runClosing ||
                            bar == Bar::runClosingAutoHideOff;
    if (tucksLater || bar == Bar::heldOpenMeanwhile) {
        const qsizetype tucks = reasons(u"tuck"_s).size();
        run(rehideDelay - 0.05);
        EXPECT_EQ(reasons(u"tuck"_s).size(), tucks) << "tucked before the delay from the click";
        run(0.1);
        const QStringList after = reasons(u"tuck"_s);
        ASSERT_EQ(after.size(), tucks + (tucksLater ? 1 : 0));
        if (tucksLater) {
            EXPECT_EQ(after.last(), u"auto-rehide"_s);
        }
    }
    if (reconciling) {
        drive(std::move(*reconciling), 120.0);
        // The activation left the run's drag in reach: the item came out of the always-hidden
        // section.
        EXPECT_TRUE(bar != Bar::runShowsAlwaysHidden || onScreen(always));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, ActivationTest,
    ::testing::Values(
        ActivationCase{"ShownItem", Bar::laptop, Target::shown, false, false},
        ActivationCase{"HiddenItem", Bar::laptop, Target::hidden, true, false},
        ActivationCase{"AlwaysHiddenItem", Bar::laptop, Target::alwaysHidden, true, true},
        ActivationCase{"ShownItemOnBarLeftOfMain", Bar::leftOfMain, Target::shown, false, false},
        ActivationCase{"HiddenItemOnBarLeftOfMain", Bar::leftOfMain, Target::hidden, true, false},
        ActivationCase{"HiddenItemOnBarRightOfMain", Bar::rightOfMain, Target::hidden, true, false},
        ActivationCase{"ShownItemOnAutoHiddenBar", Bar::autoHidden, Target::shown, false, false},
        ActivationCase{"ShownItemUnderMenus", Bar::underMenus, Target::shown, false, false,
                       u"under the menus"_s},
        ActivationCase{"HiddenItemUnderMenus", Bar::underMenus, Target::hidden, true, false,
                       u"under the menus"_s},
        ActivationCase{"ShownItemUnderAHungApplicationsMenus", Bar::underHungMenus, Target::shown,
                       false, false,
                       u"the application in front not answering, its menus may cover it"_s},
        ActivationCase{"ShownItemBehindHousing", Bar::housing, Target::shown, false, false,
                       u"behind the camera housing"_s},
        ActivationCase{"AlwaysHiddenItemBehindHousing", Bar::housing, Target::alwaysHidden, true,
                       true, u"behind the camera housing"_s},
        ActivationCase{"ShownItemMovedBeforeTheClick", Bar::rearranged, Target::shown, false,
                       false},
        ActivationCase{"ShownItemCoveredBeforeTheClick", Bar::coveredMeanwhile, Target::shown,
                       false, false, u"under the menus"_s},
        ActivationCase{"HiddenItemAsTheAutoHideComesDue", Bar::autoHideDue, Target::hidden, false,
                       false},
        ActivationCase{"ShownItemWhoseApplicationHangsDuringTheClick", Bar::ownerHangsMeanwhile,
                       Target::shown, false, false},
        ActivationCase{"ShownItemWhileTheApplicationInFrontHangsDuringTheClick",
                       Bar::frontHangsMeanwhile, Target::shown, false, false},
        ActivationCase{"HiddenItemHeldOpenAsTheAutoHideComesDue", Bar::heldOpenMeanwhile,
                       Target::hidden, false, false},
        ActivationCase{"ShownItemAsTheBarStartsHidingItself", Bar::startsHiding, Target::shown,
                       false, false},
        ActivationCase{"ShownItemWhoseBarMovesToAnotherDisplayDuringTheClick",
                       Bar::movesToAnotherDisplay, Target::shown, false, false},
        ActivationCase{"HiddenItemAsARunCloses", Bar::runClosing, Target::hidden, false, false},
        ActivationCase{"HiddenItemAsARunClosesWithTheAutoHideOff", Bar::runClosingAutoHideOff,
                       Target::hidden, false, false},
        ActivationCase{"ShownItemBehindTheHousingUntilARunsDrag", Bar::runPushesBehindHousing,
                       Target::shown, false, false},
        ActivationCase{"ShownItemBehindTheHousingUntilARunsDragUnderShortMenus",
                       Bar::runPushesWithShortMenus, Target::shown, false, false},
        ActivationCase{"HiddenItemOffScreenWhileARunShowsTheAlwaysHiddenSection",
                       Bar::runShowsAlwaysHidden, Target::hidden, true, true, u"off screen"_s}),
    [](const auto &info) { return info.param.name; });

struct UnplacedCase {
    const char *name;
    bool includingAlwaysHidden;

    friend void PrintTo(const UnplacedCase &c, std::ostream *out) { *out << c.name; }
};

class UnplacedActivationTest : public EngineTest,
                               public ::testing::WithParamInterface<UnplacedCase> {};

// In the first seconds after a launch with no layout stored the layout places nothing yet: the
// lane the item stands in on the bar decides whether the always-hidden section comes out too.
TEST_P(UnplacedActivationTest, revealsTheLaneTheItemStandsIn) {
    const UnplacedCase &unplaced = GetParam();
    desktop.arrangement().setMainScreen(addLaptop());
    toolsProcess = launch(tools);
    always = addItem(toolsProcess, 30.0, u"always"_s);
    hidden = addItem(toolsProcess, 30.0, u"hidden"_s);
    shown = addItem(toolsProcess, 30.0, u"shown"_s);
    makeEngine();
    arrangeSections();
    startEngine();
    ASSERT_FALSE(onScreen(always));
    ASSERT_FALSE(onScreen(hidden));

    drive(engine->activate(idOf(QString::fromUtf8(unplaced.name)), ClickKind::left));
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, unplaced.includingAlwaysHidden ? always : hidden);
    const QList<QJsonObject> reveals = records(u"events.jsonl"_s, u"reveal"_s);
    ASSERT_EQ(reveals.size(), 1);
    EXPECT_EQ(reveals.first().value(u"includingAlwaysHidden"_s).toBool(),
              unplaced.includingAlwaysHidden);
    EXPECT_TRUE(engine->storedLayout().ids(Section::alwaysHidden).isEmpty())
        << "the layout still places nothing";
}

INSTANTIATE_TEST_SUITE_P(Items, UnplacedActivationTest,
                         ::testing::Values(UnplacedCase{"always", true},
                                           UnplacedCase{"hidden", false}),
                         [](const auto &info) { return std::string(info.param.name); });

// An item the last scan did not see fails at once, without a scan or a record. One the layout
// keeps in the hidden section while it stands in the always-hidden one stays out of view when the
// hidden section is revealed: it is opened where it stands, as an Option-click cannot.
TEST_F(EngineTest, anItemThatStaysOutOfViewIsOpenedWhereItStands) {
    addLaptop();
    furnishSections();
    startEngine();
    const qsizetype published = engine->itemsStream().queued();
    EXPECT_THROW(drive(engine->activate(idOf(u"gone"_s), ClickKind::left)), EngineFailure);
    EXPECT_EQ(engine->itemsStream().queued(), published);
    EXPECT_TRUE(readFile(u"last-activate.json"_s).isEmpty());

    drive(engine->apply(layoutOf({idOf(u"shown"_s)}, {idOf(u"hidden"_s), idOf(u"always"_s)}, {})));
    drive(engine->activate(idOf(u"always"_s), ClickKind::left));
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(std::tuple(clicks.first().itemId, clicks.first().via),
              std::tuple(always, ItemOpening::Press));
    EXPECT_FALSE(onScreen(always));
    QJsonObject record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(std::tuple(record.value(u"outcome"_s).toString(), record.value(u"why"_s).toString(),
                         record.value(u"wasTucked"_s).toBool()),
              std::tuple(u"pressed"_s, u"off screen"_s, true));
    desktop.userInput().pressKey(KeyCode::escape);

    try {
        drive(engine->activate(idOf(u"always"_s), ClickKind::option));
        ADD_FAILURE() << "an Option-click out of reach succeeded";
    } catch (const EngineFailure &failure) {
        EXPECT_EQ(failure.error(), EngineError::activationFailed);
    }
    EXPECT_EQ(desktop.readout().clicks().size(), 1);
    record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(std::tuple(record.value(u"outcome"_s).toString(), record.value(u"why"_s).toString()),
              std::tuple(u"option click cannot land"_s, u"off screen"_s));
    // The failure ended its turn: the next one opens.
    drive(engine->activate(idOf(u"always"_s), ClickKind::right));
    EXPECT_EQ(desktop.readout().clicks().size(), 2);
}

// An item asked for while a run drags is opened at the run's next pause between two drags, where
// the run's reveal shows it, not once the run has ended; the run then goes on from a fresh reading
// and brings the bar into order. Two asked for at once are opened in turn, the way they were
// asked for: at once, one's press would go to waste.
TEST_F(EngineTest, anItemAskedForDuringARunIsOpenedAtTheRunsNextPause) {
    addLaptop();
    furnishSections();
    engine->setReorderEnabled(true);
    startEngine();
    drive(engine->apply(layoutOf({idOf(u"hidden"_s), idOf(u"shown"_s)}, {}, {idOf(u"always"_s)})));
    QCoro::Task<> reconciling = engine->reconcileMenuBar(u"user-move"_s);
    for (int step = 0; step < 500 && !engine->cursor().session(); ++step) {
        run(0.01);
    }
    ASSERT_TRUE(engine->cursor().session().has_value()) << "no drag began";
    const MonotonicTime asked = clock.now();
    QList<std::pair<bool, double>> atClicks;
    QObject::connect(&desktop.model(), &DesktopModel::clickDelivered, &desktop.model(), [&] {
        atClicks.append({engine->reconcileInFlight(), toSeconds(clock.now() - asked)});
    });
    QCoro::Task<> first = engine->activate(idOf(u"hidden"_s), ClickKind::left);
    drive(engine->activate(idOf(u"shown"_s), ClickKind::right), 120.0);
    drive(std::move(first), 120.0);
    drive(std::move(reconciling), 120.0);
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(std::tuple(clicks.at(0).itemId, clicks.at(1).itemId, clicks.at(1).kind),
              std::tuple(hidden, shown, ItemClickKind::Right));
    EXPECT_EQ(std::tuple(clicks.at(0).via, clicks.at(1).via),
              std::tuple(ItemOpening::Click, ItemOpening::Click));
    ASSERT_EQ(atClicks.size(), 2);
    EXPECT_TRUE(atClicks.first().first && atClicks.last().first) << "the run had ended";
    EXPECT_LT(atClicks.first().second, 1.0) << "the first waited past the drag under way";
    EXPECT_FALSE(reasons(u"reveal"_s).contains(u"activate"_s));
    EXPECT_TRUE(engine->lastReconcile().value(u"settled"_s).toBool());
    EXPECT_EQ(engine->storedLayout().ids(Section::shown),
              (QList<MenuBarItemID>{idOf(u"hidden"_s), idOf(u"shown"_s)}));
    EXPECT_TRUE(onScreen(hidden));
}

// An item opened through its element is the one standing at its frame; when the bar changed
// since it was read and nothing stands there, the one element carrying its identifier. An
// identifier two elements carry names neither: pressing one of them could open the wrong item,
// and the bar, which still holds it, is read again.
TEST_F(EngineTest, aPressFindsTheItemAtItsFrameElseByAnIdentifierNoOtherCarries) {
    addLaptop();
    furnishSections();
    settle();
    const QRectF nowhere(100000.0, 0.0, 30.0, 24.0);
    const struct {
        const char *name;
        QRectF frame;
        // The item that takes the identifier "hidden" too before the press; 0 for none.
        quint64 twin;
        ItemPress::Outcome outcome;
        quint64 opened;
    } cases[] = {
        {"AtItsFrame", entry(hidden).frame, 0, ItemPress::Outcome::pressed, hidden},
        {"ByItsIdentifier", nowhere, 0, ItemPress::Outcome::pressed, hidden},
        {"IdentifierShared", nowhere, shown, ItemPress::Outcome::moved, 0},
    };
    WorkRunner runner(WorkRunner::Mode::ThreadPool, &pool);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.twin != 0) {
            desktop.items().setIdentifier(c.twin, u"hidden"_s);
            settle();
        }
        const qsizetype before = desktop.readout().clicks().size();
        auto work = [&accessibility = desktop.accessibility(), process = toolsProcess,
                     frame = c.frame] {
            return ItemPress::press(accessibility, process, u"hidden"_s, frame, u"AXPress"_s);
        };
        EXPECT_EQ(runTask(runner.run(std::move(work))), c.outcome);
        const QList<DeliveredClick> clicks = desktop.readout().clicks();
        ASSERT_EQ(clicks.size(), before + (c.opened != 0 ? 1 : 0));
        if (c.opened != 0) {
            EXPECT_EQ(clicks.last().itemId, c.opened);
        }
    }
}

} // namespace
} // namespace zorv::testing
