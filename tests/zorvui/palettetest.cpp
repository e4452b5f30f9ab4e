#include "appearance/simsystemappearance.h"
#include "look/zorvpalette.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "scenario/scenarioloader.h"
#include "scenario/scenariorunner.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Role = ZorvPalette::Role;

TEST(PaletteTest, ResolvesEveryRoleByTheAppearancesBestMatch) {
    struct Case {
        QString appearance;
        bool dark;
    };
    const Case cases[] = {
        {AppearanceName::aqua, false},
        {AppearanceName::darkAqua, true},
        {AppearanceName::highContrastAqua, false},
        {AppearanceName::highContrastDarkAqua, true},
        {AppearanceName::vibrantLight, false},
        {AppearanceName::vibrantDark, true},
        {u"SomeFutureAppearance"_s, false},
        {QString(), false},
    };
    // paper, ink and honey stand for the table; onEspresso is the same in both.
    for (const Case &c : cases) {
        SCOPED_TRACE(c.appearance.toStdString());
        EXPECT_EQ(ZorvPalette::resolve(Role::Paper, c.appearance),
                  QColor(c.dark ? u"#14110D"_s : u"#F7F3EC"_s));
        EXPECT_EQ(ZorvPalette::resolve(Role::Ink, c.appearance),
                  QColor(c.dark ? u"#F4EDE1"_s : u"#1F1911"_s));
        EXPECT_EQ(ZorvPalette::resolve(Role::Honey, c.appearance),
                  QColor(c.dark ? u"#F0B24A"_s : u"#E79A2B"_s));
        EXPECT_EQ(ZorvPalette::resolve(Role::OnEspresso, c.appearance), QColor(u"#F3ECE0"_s));
    }
}

TEST(PaletteTest, FallsBackToTheAppearancesTextColourOnABadValue) {
    EXPECT_EQ(ZorvPalette::resolve(u"#12345"_s, u"#FFFFFF"_s, AppearanceName::darkAqua),
              QColor(Qt::white));
    EXPECT_EQ(ZorvPalette::resolve(u"#FFFFFF"_s, u"nope"_s, AppearanceName::aqua),
              QColor(Qt::black));
    // Only the value for the appearance in force is read.
    EXPECT_EQ(ZorvPalette::resolve(u"nope"_s, u"#102030"_s, AppearanceName::aqua),
              QColor(0x10, 0x20, 0x30));
}

TEST(PaletteTest, FollowsTheEffectiveAppearance) {
    SimSystemAppearance appearance;
    ZorvPalette palette(&appearance);
    QSignalSpy changed(&palette, &ZorvPalette::changed);
    EXPECT_FALSE(palette.isDark());
    EXPECT_EQ(palette.card(), QColor(u"#FFFCF6"_s));

    appearance.setDark(true);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(palette.isDark());
    EXPECT_EQ(palette.card(), QColor(u"#1F1A14"_s));
    EXPECT_EQ(palette.pair(u"#010203"_s, u"#040506"_s), QColor(1, 2, 3));

    appearance.setDark(true);
    EXPECT_EQ(changed.size(), 1) << "no change, no notice";
}

TEST(PaletteTest, FollowsTheAppearanceAScenarioSetsAndChanges) {
    const Scenario scenario = ScenarioLoader::parse(R"({
        "name": "dusk", "appearance": "dark",
        "screens": [{"name": "Display", "frame": {"x": 0, "y": 0, "width": 1440, "height": 900}}],
        "events": [{"at": 10, "do": "setAppearance", "appearance": "light"}]
    })",
                                                    u"dusk.json"_s);
    ManualClock clock;
    SimulatedDesktop desktop(clock, AppDescription{});
    SimWorkspace workspace(desktop.model());
    SimGlobalPreferences preferences;
    ScenarioRunner runner(scenario, desktop, workspace, preferences);
    ZorvPalette palette(&desktop.appearance());
    runner.start();
    clock.settle();
    EXPECT_TRUE(palette.isDark());
    clock.advance(seconds(10));
    clock.settle();
    EXPECT_FALSE(palette.isDark());
    EXPECT_THROW(ScenarioLoader::parse(R"({"name": "x", "appearance": "dim",
        "screens": [{"name": "D", "frame": {"x": 0, "y": 0, "width": 100, "height": 100}}]})",
                                       u"x.json"_s),
                 std::exception);
}

} // namespace
} // namespace zorv
