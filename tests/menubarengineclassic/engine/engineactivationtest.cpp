#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

enum class Target { shown, hidden, alwaysHidden };
enum class Bar { laptop, leftOfMain, rightOfMain, autoHidden };

struct ActivationCase {
    const char *name;
    Bar bar;
    Target target;
    bool wasTucked;
    // Whether the reveal includes the always-hidden section (when there is one).
    bool includingAlwaysHidden;
};

class ActivationTest : public EngineTest, public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(ActivationTest, clicksTheItemAfterBringingItIntoView) {
    const ActivationCase &activation = GetParam();
    const DisplayId laptop = addLaptop();
    if (activation.bar == Bar::leftOfMain || activation.bar == Bar::rightOfMain) {
        ScreenDescription second;
        second.size = {1920, 1080};
        second.origin = QPointF(activation.bar == Bar::leftOfMain ? -1920 : 1512, -98);
        desktop.arrangement().setMainScreen(desktop.arrangement().add(second));
    } else {
        desktop.arrangement().setMainScreen(laptop);
        desktop.arrangement().setAutoHidesMenuBar(laptop, activation.bar == Bar::autoHidden);
    }
    furnishSections();
    startEngine();

    const auto [name, item] = QList<std::pair<QString, quint64>>{
        {u"shown"_s, shown},
        {u"hidden"_s, hidden},
        {u"always"_s, always}}.at(static_cast<int>(activation.target));
    drive(engine->activate(idOf(name), ClickKind::right));

    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, item);
    EXPECT_EQ(clicks.first().kind, ItemClickKind::Right);
    const QList<LoggedEvent> events = desktop.readout().events();
    const bool nudged = std::any_of(events.cbegin(), events.cend(), [](const LoggedEvent &event) {
        return event.type == EventType::MouseMoved && event.location.y() == 0.0;
    });
    EXPECT_EQ(nudged, activation.bar == Bar::autoHidden);
    const QJsonObject record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(record.keys(), (QStringList{u"at"_s, u"item"_s, u"kind"_s, u"menuBarCameBack"_s,
                                          u"outcome"_s, u"wasTucked"_s, u"x"_s, u"y"_s}));
    EXPECT_EQ(
        std::tuple(record.value(u"outcome"_s), record.value(u"wasTucked"_s),
                   record.value(u"menuBarCameBack"_s)),
        std::tuple(QJsonValue(u"clicked"_s), QJsonValue(activation.wasTucked), QJsonValue(true)));
    const QList<QJsonObject> reveals = records(u"events.jsonl"_s, u"reveal"_s);
    ASSERT_EQ(reveals.size(), activation.wasTucked ? 1 : 0);
    if (activation.wasTucked) {
        EXPECT_EQ(reveals.first().value(u"reason"_s).toString(), u"activate"_s);
        EXPECT_EQ(reveals.first().value(u"includingAlwaysHidden"_s).toBool(),
                  activation.includingAlwaysHidden);
        // Activation never tucks by itself: the auto-hide does.
        EXPECT_TRUE(engine->isRevealed());
        run(11.0);
        EXPECT_FALSE(engine->isRevealed());
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
        ActivationCase{"ShownItemOnAutoHiddenBar", Bar::autoHidden, Target::shown, false, false}),
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

// An item the last scan did not see fails at once, without a scan or a record; one the layout
// keeps in the always-hidden section while the hidden one is revealed never comes into view and
// is reported. Neither is clicked.
TEST_F(EngineTest, anItemThatCannotBeBroughtIntoViewIsNotClicked) {
    addLaptop();
    furnishSections();
    startEngine();
    const qsizetype published = engine->itemsStream().queued();
    EXPECT_THROW(drive(engine->activate(idOf(u"gone"_s), ClickKind::left)), EngineFailure);
    EXPECT_EQ(engine->itemsStream().queued(), published);
    EXPECT_TRUE(readFile(u"last-activate.json"_s).isEmpty());

    drive(engine->apply(layoutOf({idOf(u"shown"_s)}, {idOf(u"hidden"_s), idOf(u"always"_s)}, {})));
    EXPECT_THROW(drive(engine->activate(idOf(u"always"_s), ClickKind::left)), EngineFailure);
    EXPECT_TRUE(desktop.readout().clicks().isEmpty());
    const QJsonObject record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(record.keys(),
              (QStringList{u"at"_s, u"item"_s, u"kind"_s, u"outcome"_s, u"wasTucked"_s}));
    EXPECT_EQ(record.value(u"outcome"_s).toString(), u"item never came on-screen"_s);
}

} // namespace
} // namespace zorv::testing
