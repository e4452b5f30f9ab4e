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
    // hidden separator, one shown item, the icon, then the system items if asked for; on a laptop.
    void furnish(bool systemItems = false) {
        addLaptop();
        if (systemItems) {
            addSystemItems();
        }
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

// A reveal from tucked moves the always-hidden separator out at once; out of order, a reveal
// without the always-hidden section shows everything.
TEST_F(SeparatorControllerTest, HideAndRevealEachSection) {
    furnish(true);
    const QList<bool> everything{true, true, true, true};
    ASSERT_EQ(visibility(), everything) << "both separators start collapsed";

    controller->setRevealed(false, false);
    settle();
    EXPECT_EQ(visibility(), (QList<bool>{false, false, false, true}));
    EXPECT_TRUE(entry(ours(BarItems::zorvIconName)).onScreen);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed);

    const QRectF hidden = controller->hiddenSeparatorFrame().value();
    controller->setRevealed(true, false);
    EXPECT_EQ(controller->alwaysHiddenSep().length(),
              controller->expandLength(hidden.right() - collapsed, controller->hiddenSep()));
    EXPECT_EQ(controller->hiddenSep().length(), collapsed);
    settle();
    EXPECT_EQ(visibility(), (QList<bool>{false, true, true, true}));

    controller->setRevealed(true, true);
    settle();
    EXPECT_EQ(visibility(), everything);
    EXPECT_TRUE(controller->revealLaidOut(true));

    arrange({ours(BarItems::zorvHiddenSeparatorName), alwaysHidden,
             ours(BarItems::zorvAlwaysHiddenSeparatorName), ours(BarItems::zorvIconName)});
    ASSERT_FALSE(controller->separatorsAreOrdered());
    controller->setRevealed(true, false);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed);
}

struct RefusalCase {
    const char *name;
    bool iconLeftOfSeparators;
    bool iconHidden;
    bool refused;
};

class TuckRefusal : public SeparatorControllerTest,
                    public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TuckRefusal, RefusesToPushTheIconOffScreen) {
    furnish(true);
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

class IconAtTheLeftEnd : public SeparatorControllerTest,
                         public ::testing::WithParamInterface<bool> {};

// The system may put the icon at the left end whatever the separators' lengths: a reveal, from
// tucked or from a reveal of the hidden section, lengthens no separator right of it.
TEST_P(IconAtTheLeftEnd, ARevealBringsTheIconBack) {
    furnish(true);
    controller->setRevealed(false, false);
    settle();
    if (GetParam()) {
        controller->setRevealed(true, false);
        settle();
        ASSERT_GT(controller->alwaysHiddenSep().length(), collapsed);
    }
    const quint64 icon = ours(BarItems::zorvIconName);
    desktop.items().moveToIndex(icon, 0);
    settle();
    ASSERT_FALSE(entry(icon).onScreen);

    controller->setRevealed(true, false);
    settle();
    EXPECT_EQ(controller->hiddenSep().length(), collapsed);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed);
    EXPECT_TRUE(entry(icon).onScreen);
    EXPECT_EQ(visibility(), (QList<bool>{true, true, true, true}));
    clock.advance(2s);
    EXPECT_EQ(controller->alwaysHiddenSep().length(), collapsed) << "nor later";
}

INSTANTIATE_TEST_SUITE_P(From, IconAtTheLeftEnd, ::testing::Bool(), [](const auto &info) {
    return std::string(info.param ? "HiddenSectionRevealed" : "Tucked");
});

struct SettleCase {
    const char *name;
    // When the item pushing the always-hidden separator off screen shrinks back; never if absent.
    std::optional<std::chrono::milliseconds> shrinkAfter;
    bool tuckMeanwhile;
    bool expanded;
};

class AlwaysHiddenExpansion : public SeparatorControllerTest,
                              public ::testing::WithParamInterface<SettleCase> {};

TEST_P(AlwaysHiddenExpansion, WaitsUntilTheSeparatorIsBackOnScreen) {
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
                                           SettleCase{"TuckTakesOver", 300ms, true, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// A display left of the bar's: the tucked hidden separator, reaching far left, lies mostly over
// that display, yet its bar is on the laptop, whose left edge bounds what is on screen.
TEST_F(SeparatorControllerTest, TheBarsScreenHoldsTheSeparatorsRightEnd) {
    furnish();
    ScreenDescription left;
    left.size = QSizeF(1920, 1080);
    left.origin = QPointF(-1920, -98);
    desktop.arrangement().add(left);
    desktop.items().setLength(shown, 1100.0);
    settle();
    controller->setRevealed(false, false);
    settle();
    const QRectF separator = controller->hiddenSeparatorFrame().value();
    ASSERT_GT(-separator.left(), separator.right()) << "the separator lies mostly on the laptop";
    EXPECT_EQ(controller->barScreenMinX(), 0.0);
}

TEST_F(SeparatorControllerTest, ExpandLengthReachesPastTheWidestScreen) {
    controller.emplace(desktop.statusBar(), desktop.screens(), clock);
    EXPECT_EQ(controller->expandLength(-5000.0, controller->hiddenSep()), 1600.0 - 300 + 120)
        << "no screen at all";
    EXPECT_EQ(controller->geometry().value(u"icon"_s).toObject(),
              (QJsonObject{{u"length"_s, StatusBar::squareLength}, {u"window"_s, u"none"_s}}));
    addLaptop();
    ScreenDescription wide;
    wide.size = QSizeF(2560, 1440);
    desktop.arrangement().add(wide);
    controller.emplace(desktop.statusBar(), desktop.screens(), clock);
    settle();
    for (const auto &[resting, expected] : {std::pair{1000.0, 2560.0 - 512 + 120},
                                            {0.0, 2560.0 - 1512 + 120},
                                            {-1300.0, collapsed}}) {
        EXPECT_EQ(controller->expandLength(resting, controller->hiddenSep()), expected) << resting;
    }
    const QList<QRectF> laptop{QRectF(0, 0, 1512, 982)};
    EXPECT_TRUE(SeparatorController::isOnAMenuBar(QRectF(100, 1018, 30, 24), laptop, 60));
    EXPECT_FALSE(SeparatorController::isOnAMenuBar(QRectF(100, 1019, 30, 24), laptop, 60));
    EXPECT_FALSE(SeparatorController::isOnAMenuBar(QRectF(-30, 958, 30, 24), laptop, 60));
}

} // namespace
} // namespace zorv::testing
