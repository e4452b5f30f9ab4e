#include "separators/separatorcontroller.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "statusitem.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv::testing {
namespace {

constexpr double collapsed = SeparatorController::collapsedLength;

class SeparatorControllerTest : public DesktopTest {
protected:
    // A settle chain still waiting wakes once more to end.
    void TearDown() override {
        controller.reset();
        settle();
    }

    // Left to right: one always-hidden item, the always-hidden separator, two hidden items, the
    // hidden separator, one shown item, the icon, then the system items.
    void furnish() {
        const qint32 tools = launch(u"com.example.tools"_s);
        alwaysHidden = addItem(tools, 24.0, u"always"_s);
        hiddenItems = {addItem(tools, 24.0, u"hidden-1"_s), addItem(tools, 30.0, u"hidden-2"_s)};
        shown = addItem(tools, 24.0, u"shown"_s);
        controller.emplace(desktop.statusBar(), desktop.screens(), clock);
        settle();
        arrange({alwaysHidden, ours(BarItems::zorvAlwaysHiddenSeparatorName), hiddenItems[0],
                 hiddenItems[1], ours(BarItems::zorvHiddenSeparatorName), shown,
                 ours(BarItems::zorvIconName)});
    }

    void arrange(const QList<quint64> &order) {
        for (qsizetype index = 0; index < order.size(); ++index) {
            desktop.items().moveToIndex(order[index], index);
        }
        settle();
    }

    quint64 ours(const QString &autosaveName) {
        return desktop.items().find(self(), autosaveName).value();
    }

    // Which of the other applications' items are on screen, left to right: always-hidden,
    // the two hidden ones, shown.
    QList<bool> visibility() {
        return {entry(alwaysHidden).onScreen, entry(hiddenItems[0]).onScreen,
                entry(hiddenItems[1]).onScreen, entry(shown).onScreen};
    }

    std::optional<SeparatorController> controller;
    quint64 alwaysHidden = 0;
    QList<quint64> hiddenItems;
    quint64 shown = 0;
};

struct ScreenCase {
    const char *name;
    // Displays to attach; the bar is on the last one.
    QList<ScreenDescription> screens;
};

void PrintTo(const ScreenCase &screenCase, std::ostream *out) {
    *out << screenCase.name;
}

class SeparatorLengths : public SeparatorControllerTest,
                         public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(SeparatorLengths, HideAndRevealEachSection) {
    DisplayId bar = 0;
    for (const ScreenDescription &screen : GetParam().screens) {
        bar = desktop.arrangement().add(screen);
    }
    desktop.arrangement().setMainScreen(bar);
    addSystemItems();
    furnish();
    const QList<bool> everything{true, true, true, true};
    ASSERT_EQ(visibility(), everything) << "both separators start collapsed";

    controller->setRevealed(false, false);
    settle();
    EXPECT_EQ(visibility(), (QList<bool>{false, false, false, true}));
    EXPECT_TRUE(entry(ours(BarItems::zorvIconName)).onScreen);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed);
    EXPECT_FALSE(controller->lastTuckRefused());

    controller->setRevealed(true, false);
    settle();
    EXPECT_EQ(visibility(), (QList<bool>{false, true, true, true}));
    EXPECT_EQ(controller->hiddenSep().length(), collapsed);

    controller->setRevealed(true, true);
    settle();
    EXPECT_EQ(visibility(), everything);
    EXPECT_TRUE(controller->revealSettled());

    controller->setRevealed(false, false);
    settle();
    controller->showEverything();
    settle();
    EXPECT_EQ(visibility(), everything);
}

ScreenDescription display(const char *name, QSizeF size, std::optional<QPointF> origin = {}) {
    ScreenDescription description;
    description.name = QString::fromLatin1(name);
    description.size = size;
    description.origin = origin;
    return description;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SeparatorLengths,
    ::testing::Values(ScreenCase{"Laptop", {display("Built-in", {1512, 982})}},
                      ScreenCase{"WideDisplay", {display("Wide", {7680, 2160})}},
                      ScreenCase{"BarLeftOfMain",
                                 {display("Built-in", {1512, 982}),
                                  display("Left", {1920, 1080}, QPointF(-1920, -98))}},
                      ScreenCase{"BarRightOfNarrowerMain",
                                 {display("Wide", {2560, 1440}), display("Right", {1512, 982})}}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    bool iconLeftOfSeparators;
    bool iconHidden;
    bool refused;
};

void PrintTo(const RefusalCase &refusal, std::ostream *out) {
    *out << refusal.name;
}

class TuckRefusal : public SeparatorControllerTest,
                    public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TuckRefusal, RefusesToPushTheIconOffScreen) {
    addLaptop();
    addSystemItems();
    furnish();
    if (GetParam().iconLeftOfSeparators) {
        desktop.items().moveZorvIconLeftOfSeparators();
        settle();
    }
    controller->setIconHidden(GetParam().iconHidden);
    settle();

    controller->setRevealed(false, false);
    settle();
    EXPECT_EQ(controller->lastTuckRefused(), GetParam().refused);
    EXPECT_EQ(controller->hiddenSep().length() == collapsed, GetParam().refused);
    EXPECT_EQ(controller->iconNeedsReseating(), GetParam().refused);
    if (!GetParam().iconHidden) {
        EXPECT_TRUE(controller->iconIsOnScreen());
    }
    auto retuck = controller->retuckForcingReflow();
    clock.advance(150ms);
    EXPECT_EQ(runTask(std::move(retuck)), !GetParam().refused);

    controller->setRevealed(true, false);
    EXPECT_FALSE(controller->lastTuckRefused()) << "a reveal clears the refusal";
}

INSTANTIATE_TEST_SUITE_P(Cases, TuckRefusal,
                         ::testing::Values(RefusalCase{"IconRightmost", false, false, false},
                                           RefusalCase{"IconLeftOfSeparators", true, false, true},
                                           RefusalCase{"IconHidden", true, true, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SeparatorControllerTest, HidingTheIconEmptiesItsLength) {
    addLaptop();
    furnish();
    controller->setIconHidden(true);
    EXPECT_EQ(controller->icon().length(), 0.0);
    EXPECT_TRUE(controller->icon().button()->isHidden());
    controller->setIconHidden(false);
    EXPECT_EQ(controller->icon().length(), StatusBar::squareLength);
    EXPECT_FALSE(controller->icon().button()->isHidden());
}

TEST_F(SeparatorControllerTest, RevealFromTuckedMovesTheAlwaysHiddenSeparatorAtOnce) {
    addLaptop();
    furnish();
    controller->setRevealed(false, false);
    settle();
    const QRectF hidden = controller->hiddenSeparatorFrame().value();
    const double expected =
        controller->expandLength(hidden.right() - collapsed, controller->hiddenSep());
    controller->setRevealed(true, false);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), expected);
    EXPECT_EQ(controller->hiddenSep().length(), collapsed);
}

TEST_F(SeparatorControllerTest, RevealOutOfOrderShowsEverything) {
    addLaptop();
    furnish();
    arrange({ours(BarItems::zorvHiddenSeparatorName), alwaysHidden,
             ours(BarItems::zorvAlwaysHiddenSeparatorName), ours(BarItems::zorvIconName)});
    ASSERT_FALSE(controller->separatorsAreOrdered());
    controller->setRevealed(true, false);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed);
    EXPECT_EQ(controller->hiddenSep().length(), collapsed);
}

struct SettleCase {
    const char *name;
    // When the item pushing the always-hidden separator off screen shrinks back; never if absent.
    std::optional<std::chrono::milliseconds> shrinkAfter;
    bool tuckMeanwhile;
    bool expanded;
};

void PrintTo(const SettleCase &settleCase, std::ostream *out) {
    *out << settleCase.name;
}

class AlwaysHiddenExpansion : public SeparatorControllerTest,
                              public ::testing::WithParamInterface<SettleCase> {};

TEST_P(AlwaysHiddenExpansion, WaitsUntilTheSeparatorIsBackOnScreen) {
    addLaptop();
    furnish();
    desktop.items().setLength(hiddenItems[0], 1500.0);
    settle();
    ASSERT_LT(controller->alwaysHiddenSeparatorFrame()->left(), 0.0);

    controller->setRevealed(true, false);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed) << "nothing to push from yet";
    if (GetParam().shrinkAfter) {
        clock.advance(*GetParam().shrinkAfter);
        desktop.items().setLength(hiddenItems[0], 24.0);
        settle();
    }
    if (GetParam().tuckMeanwhile) {
        controller->setRevealed(false, false);
    }
    clock.advance(2s);
    EXPECT_EQ(controller->alwaysHiddenSep().length() > collapsed, GetParam().expanded);
    if (GetParam().expanded) {
        settle();
        EXPECT_EQ(visibility(), (QList<bool>{false, true, true, true}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AlwaysHiddenExpansion,
                         ::testing::Values(SettleCase{"BackWithinTheChecks", 300ms, false, true},
                                           SettleCase{"BackBeforeTheLastCheck", 940ms, false, true},
                                           SettleCase{"BackAfterTheLastCheck", 960ms, false, false},
                                           SettleCase{"NeverBack", std::nullopt, false, false},
                                           SettleCase{"TuckTakesOver", 300ms, true, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SeparatorControllerTest, RevealSettledNeedsCollapsedSeparatorsOnScreen) {
    addLaptop();
    furnish();
    EXPECT_TRUE(controller->revealSettled());
    controller->hiddenSep().setLength(8.5);
    settle();
    EXPECT_FALSE(controller->revealSettled());
    controller->hiddenSep().setLength(collapsed);
    desktop.items().setLength(hiddenItems[0], 1500.0);
    settle();
    EXPECT_FALSE(controller->revealSettled()) << "the always-hidden separator lies off screen";
}

TEST_F(SeparatorControllerTest, GeometryDescribesItemsAndScreens) {
    SeparatorController lonely(desktop.statusBar(), desktop.screens(), clock);
    EXPECT_EQ(lonely.geometry().value(u"icon"_s).toObject(),
              (QJsonObject{{u"length"_s, StatusBar::squareLength}, {u"window"_s, u"none"_s}}));
    EXPECT_FALSE(lonely.iconIsOnScreen());
    EXPECT_FALSE(lonely.framesReadable());
    EXPECT_FALSE(lonely.barScreenMinX().has_value());
    EXPECT_EQ(lonely.expandLength(-5000.0, lonely.hiddenSep()), 1420.0) << "1600 - 300 + 120";

    addLaptop();
    settle();
    const QJsonObject geometry = lonely.geometry();
    EXPECT_EQ(geometry.value(u"screens"_s).toArray(),
              QJsonArray{u"0,0 1512x982 Built-in Retina Display"_s});
    EXPECT_EQ(geometry.value(u"hiddenSep"_s).toObject().keys(),
              (QStringList{u"height"_s, u"length"_s, u"minX"_s, u"minY"_s, u"width"_s}));
    EXPECT_TRUE(lonely.framesReadable());
    EXPECT_EQ(lonely.barScreenMinX(), 0.0);
}

struct ExpandCase {
    const char *name;
    double restingMinX;
    double expected;
};

void PrintTo(const ExpandCase &expandCase, std::ostream *out) {
    *out << expandCase.name;
}

class ExpandLength : public SeparatorControllerTest,
                     public ::testing::WithParamInterface<ExpandCase> {};

TEST_P(ExpandLength, ReachesPastTheWidestScreen) {
    addLaptop();
    desktop.arrangement().add(display("Wide", {2560, 1440}));
    controller.emplace(desktop.statusBar(), desktop.screens(), clock);
    settle();
    EXPECT_EQ(controller->expandLength(GetParam().restingMinX, controller->hiddenSep()),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandLength,
                         ::testing::Values(ExpandCase{"Resting", 1000.0, 2560 - 512 + 120},
                                           ExpandCase{"AtTheLeftEdge", 0.0, 2560 - 1512 + 120},
                                           ExpandCase{"FarLeftIsCollapsed", -1300.0, collapsed}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SeparatorGeometry, IsOnAMenuBarWithinTheSlack) {
    const QList<QRectF> screens{QRectF(0, 0, 1512, 982)};
    EXPECT_TRUE(SeparatorController::isOnAMenuBar(QRectF(100, 958, 30, 24), screens, 60));
    EXPECT_TRUE(SeparatorController::isOnAMenuBar(QRectF(100, 1018, 30, 24), screens, 60));
    EXPECT_FALSE(SeparatorController::isOnAMenuBar(QRectF(100, 1019, 30, 24), screens, 60));
    EXPECT_FALSE(SeparatorController::isOnAMenuBar(QRectF(-30, 958, 30, 24), screens, 60));
    EXPECT_FALSE(SeparatorController::isOnAMenuBar(QRectF(100, 958, 30, 24), {}, 60));
}

} // namespace
} // namespace zorv::testing
