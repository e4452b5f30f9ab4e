#include "paneguides.h"
#include "symbols/symbolglyphs.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

GuideContext context(bool clickOpensMenu, bool liveLayout) {
    return GuideContext{clickOpensMenu, u"⌥⌘S"_s, u"⌃F"_s, liveLayout};
}

TEST(PaneGuidesTest, EveryPaneHasTwoToFourSteps) {
    for (const SettingsPane pane : allSettingsPanes()) {
        const auto steps = PaneGuides::steps(pane, context(true, true));
        EXPECT_GE(steps.size(), 2) << paneKey(pane).toStdString();
        EXPECT_LE(steps.size(), 4) << paneKey(pane).toStdString();
    }
}

TEST(PaneGuidesTest, TheLanesStepNamesTheOtherClickAndTheRevealShortcut) {
    EXPECT_EQ(PaneGuides::steps(SettingsPane::arrange, context(true, true))[0].text,
              u"Shown stays in the bar. Hidden comes out when you right-click Zorv's icon or "
              u"press {⌥⌘S}. Always Hidden only comes out when you hold {option} as well."_s);
    EXPECT_TRUE(PaneGuides::steps(SettingsPane::arrange, context(false, true))[0].text.startsWith(
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
            const auto before = PaneGuides::steps(pane, change.from);
            const auto after = PaneGuides::steps(pane, change.to);
            ASSERT_EQ(before.size(), after.size());
            for (int step = 0; step < before.size(); ++step) {
                const bool changes = pane == change.pane && step == change.step;
                EXPECT_EQ(before[step] != after[step], changes)
                    << paneKey(pane).toStdString() << " step " << step;
            }
        }
    }
    EXPECT_EQ(PaneGuides::steps(SettingsPane::arrange, context(true, false))[2].title,
              u"Sort My Bar applies it"_s);
    EXPECT_EQ(PaneGuides::steps(SettingsPane::arrange, context(true, true))[2].title,
              u"It applies itself"_s);
    EXPECT_TRUE(PaneGuides::steps(SettingsPane::search, context(true, true))[0].text.startsWith(
        u"Press {⌃F} in any app"_s));
}

// The steps as the user reads them, pane by pane, with the settings that vary them at their
// first variants; every step's symbol is one the kit draws.
TEST(PaneGuidesTest, EveryPaneSaysWhatItsGuidePromises) {
    const struct {
        SettingsPane pane;
        QList<GuideStep> steps;
    } guides[] = {
        {SettingsPane::general,
         {{u"cursorarrow.click"_s, u"Zorv's icon"_s,
           u"Choose whether a plain click opens Zorv's menu or reveals your hidden items. The "
           u"right-click always does the other one."_s},
          {u"rectangle.on.rectangle"_s, u"Live or On-Demand"_s,
           u"Live applies your layout once your typing and mousing pause. On-Demand waits for "
           u"Sort My Bar."_s},
          {u"timer"_s, u"Auto-hide"_s,
           u"After a reveal, hidden icons tuck themselves away again. The slider sets how long "
           u"they stay out; Never keeps them out until you hide them."_s},
          {u"arrow.down.doc"_s, u"Backup"_s,
           u"Export writes one setup file. Import asks before replacing your setup and keeps a "
           u"backup. This Mac\u2019s local choices stay local."_s}}},
        {SettingsPane::arrange,
         {{u"rectangle.topthird.inset.filled"_s, u"Three lanes"_s,
           u"Shown stays in the bar. Hidden comes out when you right-click Zorv's icon or press "
           u"{⌥⌘S}. Always Hidden only comes out when you hold {option} as well."_s},
          {u"hand.draw"_s, u"Drag or right-click"_s,
           u"Drag icons between lanes, or within a lane to reorder; a caret shows exactly where "
           u"the drop lands. Right-clicking an icon moves it too."_s},
          {u"wand.and.stars"_s, u"It applies itself"_s,
           u"A moment after you stop, Zorv rearranges the real menu bar to match. Your cursor "
           u"hides briefly while it works."_s},
          {u"circle.fill"_s, u"The orange dot"_s,
           u"An icon with an orange dot is under your Mac's notch: it exists, macOS just isn't "
           u"drawing it."_s}}},
        {SettingsPane::triggers,
         {{u"bolt"_s, u"Rules"_s,
           u"A rule pairs a condition (on battery, an app in front, a Wi-Fi network, a Focus) "
           u"with an action (reveal, hide, move or open an item, or switch profile)."_s},
          {u"eye"_s, u"Right Now"_s,
           u"The top of the pane shows what Zorv currently sees, so you can watch a condition "
           u"change before you rely on it."_s},
          {u"arrow.uturn.backward"_s, u"Undoes itself"_s,
           u"A rule's action holds while its condition is true and undoes itself when the "
           u"condition ends. A rule that switches on and off too fast is paused for a minute."_s}}},
        {SettingsPane::profiles,
         {{u"square.stack.3d.up"_s, u"Saved layouts"_s,
           u"A profile saves the current lane arrangement under a name: one for work, one for "
           u"presenting, one for travel."_s},
          {u"arrow.left.arrow.right"_s, u"Switching"_s,
           u"Switch from this pane, from the Profiles item in Zorv's menu, or automatically with "
           u"a trigger (say, when you join the office Wi-Fi)."_s}}},
        {SettingsPane::search,
         {{u"magnifyingglass"_s, u"Search anywhere"_s,
           u"Press {⌃F} in any app, type part of an item's name, and press {return} to open it, "
           u"even if it is hidden. {command+1} to {command+9} pick from the list."_s},
          {u"character.cursor.ibeam"_s, u"Aliases"_s,
           u"Give an item a nickname so \"cal\" finds Fantastical."_s},
          {u"keyboard"_s, u"Item hotkeys"_s,
           u"Give an item its own shortcut to open it from any app without revealing the bar."_s}}},
        {SettingsPane::appearance,
         {{u"paintpalette"_s, u"Style the bar"_s,
           u"Tint the menu bar and add a hairline, a shadow, or rounded corners. None of it "
           u"blocks a click."_s},
          {u"eye.slash"_s, u"Pixel-perfect icons"_s,
           u"Off by default, so Zorv never looks at your screen. Turn it on and Zorv's windows "
           u"show each icon's real menu bar pixels. macOS asks once for Screen Recording."_s}}},
        {SettingsPane::spacing,
         {{u"arrow.left.and.right"_s, u"Tighter spacing"_s,
           u"Sets the gap between every app's menu bar icons. Smaller fits more."_s},
          {u"arrow.uturn.backward"_s, u"Takes a logout"_s,
           u"Each app picks up the new spacing when it next starts, so it reaches all of them "
           u"at your next login. Revert goes back to the system default."_s}}},
        {SettingsPane::about,
         {{u"arrow.triangle.2.circlepath"_s, u"Updates"_s,
           u"Check Now reports here, without an up-to-date alert. Automatic checks run once a "
           u"day. Install and Relaunch returns an open Settings window to its previous page."_s},
          {u"folder"_s, u"Your data"_s,
           u"Show in Finder opens Zorv's own Application Support folder. Your settings, layouts, "
           u"and backups stay on your Mac."_s},
          {u"lifepreserver"_s, u"Help"_s,
           u"Replay Welcome Tour revisits the first-launch screens. Zorv and Brindlecot links "
           u"open their websites."_s}}},
    };
    const QStringList drawn = SymbolGlyphs::names();
    int panes = 0;
    for (const auto &guide : guides) {
        ++panes;
        const QList<GuideStep> steps = PaneGuides::steps(guide.pane, context(true, true));
        ASSERT_EQ(steps.size(), guide.steps.size()) << paneKey(guide.pane).toStdString();
        for (qsizetype i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i].symbol, guide.steps[i].symbol) << paneKey(guide.pane).toStdString();
            EXPECT_EQ(steps[i].title, guide.steps[i].title) << paneKey(guide.pane).toStdString();
            EXPECT_EQ(steps[i].text, guide.steps[i].text) << paneKey(guide.pane).toStdString();
            EXPECT_TRUE(drawn.contains(steps[i].symbol)) << steps[i].symbol.toStdString();
        }
    }
    EXPECT_EQ(panes, allSettingsPanes().size());
}

} // namespace
} // namespace zorv
