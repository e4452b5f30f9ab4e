#include "settingswindowmodel.h"
#include "settingsfixture.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Every pane has a view here, so that any pane can be selected.
QHash<SettingsPane, QUrl> everyPane() {
    QHash<SettingsPane, QUrl> views;
    for (const SettingsPane pane : allSettingsPanes()) {
        views.insert(pane, QUrl(u"qrc:/test/"_s + paneKey(pane)));
    }
    return views;
}

class SettingsWindowModelTest : public ::testing::Test, protected SettingsFixture {
protected:
    void seeGuides(const QStringList &panes) {
        for (const QString &pane : panes) {
            view.markGuideSeen(pane);
        }
    }
    void wait(double seconds) { mac.advance(seconds); }

    SettingsWindowModel window{view, services, everyPane()};
};

TEST_F(SettingsWindowModelTest, TheRailListsOnlyPanesWithAViewInRailOrder) {
    SettingsWindowModel some(
        view, services,
        {{SettingsPane::about, QUrl(u"qrc:/a"_s)}, {SettingsPane::general, QUrl(u"qrc:/g"_s)}});
    const QVariantList rail = some.rail();
    ASSERT_EQ(rail.size(), 2);
    EXPECT_EQ(rail[0].toMap()[u"title"_s], u"General"_s);
    EXPECT_EQ(rail[1].toMap()[u"key"_s], u"about"_s);
    some.select(u"spacing"_s);
    EXPECT_EQ(some.pane(), u"general"_s);
    EXPECT_EQ(window.rail().size(), 8);
}

TEST_F(SettingsWindowModelTest, FirstAppearanceShowsGeneralAndPublishesIt) {
    window.appear();
    EXPECT_EQ(window.pane(), u"general"_s);
    EXPECT_EQ(view.currentSettingsPane(), u"general"_s);
    EXPECT_EQ(window.subtitle(),
              u"Choose how Zorv launches, reveals items, and applies your layout."_s);
    EXPECT_EQ(window.paneSource(), QUrl(u"qrc:/test/general"_s));
}

struct Hand {
    const char *name;
    // The pending value written before (`beforeAppear`) or after the window appeared.
    QString pending;
    bool beforeAppear;
    QString selected;
    // What stays pending afterwards.
    QString left;
};

class PendingPaneTest : public SettingsWindowModelTest,
                        public ::testing::WithParamInterface<Hand> {};

TEST_P(PendingPaneTest, IsTakenOnlyWhenItNamesAPane) {
    const Hand &hand = GetParam();
    if (hand.beforeAppear) {
        view.setPendingSettingsPane(hand.pending);
        window.appear();
    } else {
        window.appear();
        view.setPendingSettingsPane(hand.pending);
    }
    EXPECT_EQ(window.pane(), hand.selected);
    EXPECT_EQ(view.currentSettingsPane(), hand.selected);
    EXPECT_EQ(view.pendingSettingsPane(), hand.left);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, PendingPaneTest,
    ::testing::Values(Hand{"BeforeTheFirstShow", u"profiles"_s, true, u"profiles"_s, {}},
                      Hand{"WhileOpen", u"spacing"_s, false, u"spacing"_s, {}},
                      Hand{"TheSelectedPane", u"general"_s, false, u"general"_s, {}},
                      Hand{"Capitalised", u"Profiles"_s, false, u"general"_s, u"Profiles"_s},
                      Hand{"NoPane", u"settings"_s, true, u"general"_s, u"settings"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingsWindowModelTest, APendingPaneWithNoViewIsTakenWithoutMoving) {
    SettingsWindowModel some(view, services, {{SettingsPane::general, QUrl(u"qrc:/g"_s)}});
    some.appear();
    view.setPendingSettingsPane(u"search"_s);
    EXPECT_EQ(some.pane(), u"general"_s);
    EXPECT_TRUE(view.pendingSettingsPane().isEmpty());
}

TEST_F(SettingsWindowModelTest, AnUnseenPanesGuideOpensAMomentAfterItIsShown) {
    window.appear();
    wait(0.3);
    EXPECT_TRUE(window.guidePane().isEmpty());
    wait(0.06);
    EXPECT_EQ(window.guidePane(), u"general"_s);
    EXPECT_EQ(window.guideTitle(), u"General"_s);
    EXPECT_EQ(window.guideSteps().size(), 4);

    window.finishGuide();
    EXPECT_TRUE(window.guidePane().isEmpty());
    EXPECT_TRUE(view.hasSeenGuide(u"general"_s));
    EXPECT_EQ(model.settings().seenPaneGuides.count(u"general"_s), 1);
}

TEST_F(SettingsWindowModelTest, ASeenPaneOffersNoGuideButTheStripStillOpensIt) {
    seeGuides({u"general"_s});
    window.appear();
    wait(1);
    EXPECT_TRUE(window.guidePane().isEmpty());

    window.openGuide();
    EXPECT_EQ(window.guidePane(), u"general"_s);
    window.finishGuide();
    EXPECT_EQ(model.settings().seenPaneGuides.count(u"general"_s), 1);
}

TEST_F(SettingsWindowModelTest, SwitchingPanesClosesTheCardUnseenAndOffersTheNewOnesGuide) {
    window.appear();
    wait(0.4);
    ASSERT_EQ(window.guidePane(), u"general"_s);

    window.select(u"profiles"_s);
    EXPECT_TRUE(window.guidePane().isEmpty());
    EXPECT_FALSE(view.hasSeenGuide(u"general"_s));
    wait(0.4);
    EXPECT_EQ(window.guidePane(), u"profiles"_s);

    // A pending pane closes the card of another.
    view.setPendingSettingsPane(u"about"_s);
    EXPECT_TRUE(window.guidePane().isEmpty());
}

TEST_F(SettingsWindowModelTest, TheDelayedGuideIsForThePaneShownThenOnlyIfItIsUnseen) {
    seeGuides({u"spacing"_s});
    window.appear();
    // General's delayed guide is still to come when the user moves to a pane already seen.
    wait(0.1);
    window.select(u"spacing"_s);
    wait(1);
    EXPECT_TRUE(window.guidePane().isEmpty());

    // Moving on to an unseen pane in time: its guide opens, once.
    window.select(u"about"_s);
    wait(0.1);
    window.select(u"triggers"_s);
    wait(0.3);
    EXPECT_EQ(window.guidePane(), u"triggers"_s);
}

TEST_F(SettingsWindowModelTest, TheCardsStepsFollowTheSettings) {
    window.select(u"arrange"_s);
    window.openGuide();
    QSignalSpy steps(&window, &SettingsWindowModel::guideStepsChanged);
    view.settings()->setLiveLayout(false);
    EXPECT_GE(steps.count(), 1);
    EXPECT_EQ(window.guideSteps()[2].toMap()[u"title"_s], u"Sort My Bar applies it"_s);
    EXPECT_EQ(window.guideSteps()[2].toMap()[u"number"_s], 3);
}

} // namespace
} // namespace zorv
