#include "paneguides.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

GuideContext context(bool clickOpensMenu, bool liveLayout) {
    return GuideContext{clickOpensMenu, u"⌥⌘S"_s, u"⌃F"_s, liveLayout};
}

TEST(PaneGuidesTest, EveryPaneHasTwoToFourSteps) {
    for (const SettingsPane pane : allSettingsPanes()) {
        const auto steps = paneGuideSteps(pane, context(true, true));
        EXPECT_GE(steps.size(), 2) << paneKey(pane).toStdString();
        EXPECT_LE(steps.size(), 4) << paneKey(pane).toStdString();
    }
}

TEST(PaneGuidesTest, TheLanesStepNamesTheOtherClickAndTheRevealShortcut) {
    EXPECT_EQ(paneGuideSteps(SettingsPane::arrange, context(true, true))[0].text,
              u"Shown stays in the bar. Hidden comes out when you right-click Zorv's icon or "
              u"press {⌥⌘S}. Always Hidden only comes out when you hold {option} as well."_s);
    EXPECT_TRUE(paneGuideSteps(SettingsPane::arrange, context(false, true))[0].text.startsWith(
        u"Shown stays in the bar. Hidden comes out when you click Zorv's icon"_s));
}

TEST(PaneGuidesTest, EachSettingChangesOnlyItsOwnStep) {
    struct Change {
        GuideContext from;
        GuideContext to;
        SettingsPane pane;
        int step;
    };
    const Change changes[] = {
        {context(true, true), context(false, true), SettingsPane::arrange, 0},
        {context(true, true), context(true, false), SettingsPane::arrange, 2},
        {context(true, true), GuideContext{true, u"⌥⌘S"_s, u"⌥⌘F"_s, true}, SettingsPane::search,
         0},
    };
    for (const Change &change : changes) {
        for (const SettingsPane pane : allSettingsPanes()) {
            const auto before = paneGuideSteps(pane, change.from);
            const auto after = paneGuideSteps(pane, change.to);
            ASSERT_EQ(before.size(), after.size());
            for (int step = 0; step < before.size(); ++step) {
                const bool changes = pane == change.pane && step == change.step;
                EXPECT_EQ(before[step] != after[step], changes)
                    << paneKey(pane).toStdString() << " step " << step;
            }
        }
    }
    EXPECT_EQ(paneGuideSteps(SettingsPane::arrange, context(true, false))[2].title,
              u"Sort My Bar applies it"_s);
    EXPECT_EQ(paneGuideSteps(SettingsPane::arrange, context(true, true))[2].title,
              u"It applies itself"_s);
    EXPECT_TRUE(paneGuideSteps(SettingsPane::search, context(true, true))[0].text.startsWith(
        u"Press {⌃F} in any app"_s));
}

} // namespace
} // namespace zorv
