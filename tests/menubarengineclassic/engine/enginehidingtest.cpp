#include "enginetest.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QString kTools = u"com.example.tools"_s;

// Three items of one application sorted one per section by the layout, on the usual bar.
class HidingTest : public EngineTest {
protected:
    void setUpBar(double housing = 0.0) {
        if (!desktop.arrangement().screens().isEmpty()) {
            return;
        }
        addLaptop(housing);
    }

    void furnish(double shownLength = 30.0) {
        tools = launch(kTools);
        always = addItem(tools, 30.0, u"always"_s);
        hidden = addItem(tools, 30.0, u"hidden"_s);
        shown = addItem(tools, shownLength, u"shown"_s);
        makeEngine(layoutOf({idFor(kTools, u"shown"_s)}, {idFor(kTools, u"hidden"_s)},
                            {idFor(kTools, u"always"_s)}));
        arrangeSections(always, hidden, shown);
    }

    [[nodiscard]] QStringList reasons(const QString &kind) const {
        QStringList found;
        for (const QJsonObject &record : records(u"events.jsonl"_s, kind)) {
            found.append(record.value(u"reason"_s).toString());
        }
        return found;
    }

    qint32 tools = 0;
    quint64 always = 0;
    quint64 hidden = 0;
    quint64 shown = 0;
};

struct ScreenCase {
    const char *name;
    // Bottom-left origin of a second screen that holds the active bar; none for one screen.
    std::optional<QPointF> barScreenOrigin;
    QSizeF size;
    double housing;
};

class LaunchTuckTest : public HidingTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(LaunchTuckTest, hidesBothSectionsAndKeepsTheIconInView) {
    const ScreenCase &screens = GetParam();
    if (screens.barScreenOrigin) {
        addLaptop();
        ScreenDescription second;
        second.size = screens.size;
        second.origin = *screens.barScreenOrigin;
        desktop.arrangement().setMainScreen(desktop.arrangement().add(second));
    } else {
        ScreenDescription only;
        only.size = screens.size;
        if (screens.housing > 0) {
            only.cameraHousingWidth = screens.housing;
            only.menuBarHeight = 37.0;
        }
        desktop.arrangement().add(only);
    }
    // A wide shown item carries the one left of it under a camera housing.
    furnish(screens.housing > 0 ? 640.0 : 30.0);
    const quint64 notched = addItem(tools, 30.0, u"notched"_s);
    arrange({always, zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), hidden,
             zorvItem(BarItems::zorvHiddenSeparatorName), notched, shown,
             zorvItem(BarItems::zorvIconName)});
    startEngine();

    EXPECT_FALSE(onScreen(always));
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_TRUE(onScreen(shown));
    EXPECT_TRUE(onScreen(zorvItem(BarItems::zorvIconName)));
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_EQ(reasons(u"tuck"_s), QStringList{u"launch"_s});
    ASSERT_TRUE(engineItem(idFor(kTools, u"hidden"_s)));
    EXPECT_EQ(engineItem(idFor(kTools, u"hidden"_s))->section, Section::hidden);
    EXPECT_EQ(engineItem(idFor(kTools, u"always"_s))->section, Section::alwaysHidden);
    EXPECT_EQ(engineItem(idFor(kTools, u"shown"_s))->section, Section::shown);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);

    for (const MenuBarItem &item : engine->lastItems()) {
        EXPECT_EQ(item.isNotchObscured, screens.housing > 0 && item.id == idFor(kTools, u"notched"_s))
            << item.id.axIdentifier.value_or(QString()).toStdString() << " at " << item.frame.center().x();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, LaunchTuckTest,
    ::testing::Values(ScreenCase{"OneLaptop", std::nullopt, {1512, 982}, 0.0},
                      ScreenCase{"BarRightOfMain", QPointF(1512, -98), {1920, 1080}, 0.0},
                      ScreenCase{"BarLeftOfMain", QPointF(-1920, -98), {1920, 1080}, 0.0},
                      ScreenCase{"Wide7680", std::nullopt, {7680, 2160}, 0.0},
                      ScreenCase{"CameraHousing", std::nullopt, {1512, 982}, 200.0}),
    [](const ::testing::TestParamInfo<ScreenCase> &info) { return info.param.name; });


struct RevealCase {
    const char *name;
    bool includingAlwaysHidden;
    bool alwaysInView;
};

class RevealTest : public HidingTest, public ::testing::WithParamInterface<RevealCase> {};

TEST_P(RevealTest, revealsTheAskedSectionsAndTogglesBack) {
    addLaptop();
    furnish();
    engine->setAutoRehideSeconds(0);
    startEngine();

    drive(engine->toggleRevealed(GetParam().includingAlwaysHidden));
    run(1.0);
    EXPECT_TRUE(engine->isRevealed());
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_EQ(onScreen(always), GetParam().alwaysInView);
    EXPECT_TRUE(onScreen(shown));

    drive(engine->toggleRevealed(false));
    run(1.0);
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_FALSE(onScreen(always));
    EXPECT_EQ(reasons(u"reveal"_s), QStringList{u"toggle"_s});
    EXPECT_EQ(reasons(u"tuck"_s), (QStringList{u"launch"_s, u"toggle"_s}));
}

INSTANTIATE_TEST_SUITE_P(Sections, RevealTest,
                         ::testing::Values(RevealCase{"HiddenOnly", false, false},
                                           RevealCase{"WithAlwaysHidden", true, true}),
                         [](const auto &info) { return info.param.name; });

struct AutoHideCase {
    const char *name;
    double setting;
    // Seconds after the reveal when it is tucked again; none when it stays.
    std::optional<double> tuckedAfter;
};

class AutoHideTest : public HidingTest, public ::testing::WithParamInterface<AutoHideCase> {};

TEST_P(AutoHideTest, tucksAfterTheClampedDelay) {
    addLaptop();
    furnish();
    engine->setAutoRehideSeconds(GetParam().setting);
    startEngine();
    drive(engine->setHiddenRevealed(true, false));
    const std::optional<double> after = GetParam().tuckedAfter;
    run(after.value_or(4000.0) - 0.5);
    EXPECT_TRUE(engine->isRevealed());
    run(1.0);
    EXPECT_EQ(engine->isRevealed(), !after.has_value());
    EXPECT_EQ(reasons(u"tuck"_s).contains(u"auto-rehide"_s), after.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Delays, AutoHideTest,
    ::testing::Values(AutoHideCase{"Default", 10.0, 10.0}, AutoHideCase{"Off", 0.0, std::nullopt},
                      AutoHideCase{"Negative", -5.0, std::nullopt},
                      AutoHideCase{"NaNMeansDefault", std::nan(""), 10.0},
                      AutoHideCase{"InfinityMeansDefault", INFINITY, 10.0},
                      AutoHideCase{"HugeIsCappedAtAnHour", 1e300, 3600.0}),
    [](const auto &info) { return info.param.name; });

TEST_F(HidingTest, aHoldOpenRevealOrASecondRevealPostponesTheAutoHide) {
    addLaptop();
    furnish();
    startEngine();
    drive(engine->setHiddenRevealed(true, false, true));
    run(30.0);
    EXPECT_TRUE(engine->isRevealed());
    drive(engine->setHiddenRevealed(true, false));
    run(6.0);
    drive(engine->setHiddenRevealed(true, false));
    run(9.5);
    EXPECT_TRUE(engine->isRevealed());
    run(1.0);
    EXPECT_FALSE(engine->isRevealed());
    EXPECT_EQ(reasons(u"reveal"_s),
              (QStringList{u"automation-hold"_s, u"request"_s, u"request"_s}));
}

TEST_F(HidingTest, aRefusedTuckRecoversWithBackOffAndPublishesWhyHidingIsBlocked) {
    addLaptop();
    furnish();
    QList<std::optional<HidingBlockedReason>> published;
    engine->setOnHidingBlockedChanged(
        [&published](std::optional<HidingBlockedReason> reason) { published.append(reason); });
    int refusals = 0;
    engine->setOnTuckRefused([&refusals] { ++refusals; });
    startEngine();
    EXPECT_EQ(published, QList<std::optional<HidingBlockedReason>>{std::nullopt});

    drive(engine->setHiddenRevealed(true, false));
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    drive(engine->setHiddenRevealed(false, false));
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(engine->hidingBlocked(), HidingBlockedReason::iconMisseated);
    EXPECT_TRUE(onScreen(hidden));
    EXPECT_TRUE(onScreen(always));

    // Attempts come 0.7 s after each pause of 2, 4, 8, 16, 16 s: at 0.7, 3.4, 8.1, 16.8, 33.5
    // and 50.2 s.
    QList<int> seen;
    run(50.0);
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).size(), 5);
    run(1.0);
    for (const QJsonObject &record : records(u"events.jsonl"_s, u"tuck-recovery"_s)) {
        EXPECT_FALSE(record.value(u"iconSafelyRightmost"_s).toBool());
        seen.append(record.value(u"attempt"_s).toInt());
    }
    EXPECT_EQ(seen, (QList<int>{1, 2, 3, 4, 5, 6}));

    arrangeSections(always, hidden, shown);
    run(17.0);
    EXPECT_FALSE(engine->hidingBlocked());
    EXPECT_FALSE(onScreen(hidden));
    EXPECT_TRUE(reasons(u"tuck"_s).contains(u"tuck-recovery"_s));
    EXPECT_EQ(published, (QList<std::optional<HidingBlockedReason>>{
                             std::nullopt, HidingBlockedReason::iconMisseated, std::nullopt}));
}

TEST_F(HidingTest, theWatchdogRevealsOnTheSecondTickWithTheIconOffScreen) {
    addLaptop();
    furnish();
    startEngine();
    run(4.0);
    ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    settle();
    ASSERT_FALSE(onScreen(zorvItem(BarItems::zorvIconName)));
    run(0.8);
    EXPECT_TRUE(records(u"events.jsonl"_s, u"watchdog-miss"_s).isEmpty());
    run(0.8);
    const QList<QJsonObject> misses = records(u"events.jsonl"_s, u"watchdog-miss"_s);
    ASSERT_EQ(misses.size(), 1);
    EXPECT_TRUE(misses.first().contains(u"geometry"_s));
    EXPECT_EQ(reasons(u"reveal"_s), QStringList{u"watchdog: icon off-screen"_s});
}

TEST_F(HidingTest, aDisplayThatDoesNotHideIsReportedAfterThirtySeconds) {
    ScreenDescription display;
    display.notHiding = true;
    desktop.arrangement().add(display);
    furnish();
    QList<std::optional<HidingBlockedReason>> published;
    engine->setOnHidingBlockedChanged(
        [&published](std::optional<HidingBlockedReason> reason) { published.append(reason); });
    startEngine();
    run(59.0);
    EXPECT_EQ(engine->hidingBlocked(), std::nullopt);
    run(3.0);
    EXPECT_EQ(engine->hidingBlocked(), HidingBlockedReason::displayNotHiding);
    EXPECT_EQ(published.last(), HidingBlockedReason::displayNotHiding);
    EXPECT_FALSE(records(u"reconcile-log.jsonl"_s, u"nothing-hidden"_s).isEmpty());
}

} // namespace
} // namespace zorv::testing
