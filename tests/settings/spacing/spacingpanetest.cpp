#include "settingsfixture.h"
#include "spacingpanemodel.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class SpacingPaneTest : public ::testing::Test, protected SettingsFixture {
protected:
    SpacingPaneTest() {
        pane.setProperty("services", QVariant::fromValue(&services));
        pane.setView(&view);
    }
    [[nodiscard]] std::optional<qint64> system() const { return model.spacing().currentSpacing(); }

    SpacingPaneModel pane;
};

TEST_F(SpacingPaneTest, OpensOnWhatTheSystemHolds) {
    pane.appear();
    EXPECT_FALSE(pane.overriding());
    EXPECT_EQ(pane.note(), u"Off uses the macOS default of 16 pt."_s);

    model.spacing().setSpacing(20);
    SpacingPaneModel again;
    again.setView(&view);
    again.appear();
    EXPECT_TRUE(again.overriding());
    EXPECT_EQ(again.readout(), u"20 pt"_s);
    EXPECT_TRUE(again.note().isNull());

    // A spacing beyond the slider's end, set by another tool: shown as the system uses it, and
    // left as it is until the user moves the slider.
    model.spacing().setSpacing(30);
    SpacingPaneModel wide;
    wide.setView(&view);
    wide.appear();
    EXPECT_EQ(wide.readout(), u"30 pt"_s);
    EXPECT_EQ(system(), 30);
    wide.setPoints(24);
    EXPECT_EQ(wide.readout(), u"24 pt"_s);
}

TEST_F(SpacingPaneTest, TheSwitchWritesAtOnceAndRevertClearsEverything) {
    pane.setOverriding(true);
    EXPECT_EQ(model.settings().iconSpacing, 16);
    EXPECT_EQ(system(), 16);
    EXPECT_TRUE(pane.needsLogout());

    pane.revert();
    EXPECT_FALSE(pane.overriding());
    EXPECT_EQ(pane.points(), 16);
    EXPECT_EQ(model.settings().iconSpacing, std::nullopt);
    EXPECT_EQ(system(), std::nullopt);
    EXPECT_FALSE(pane.needsLogout());
}

TEST_F(SpacingPaneTest, ADragIsWrittenAsItBeginsAndAMomentAfterItsLastMove) {
    pane.setOverriding(true);
    pane.beginDrag();
    EXPECT_EQ(system(), 16);
    for (const double points : {14.0, 12.0, 10.0}) {
        pane.setPoints(points);
        mac.advance(0.2);
        // Values replaced within the delay are never written.
        EXPECT_EQ(system(), 16) << points;
    }
    mac.advance(0.06);
    EXPECT_EQ(system(), 10);
    EXPECT_EQ(model.settings().iconSpacing, 10);

    // A pending write finds the switch off when it runs and writes the system's spacing.
    pane.setPoints(8);
    pane.revert();
    mac.advance(0.3);
    EXPECT_EQ(system(), std::nullopt);
}

TEST_F(SpacingPaneTest, ARefusedLogOutSaysSoUntilARequestGoesThrough) {
    mac.desktop().scripting().setOutcome(SimScripting::Outcome::Refused);
    pane.logOut();
    EXPECT_TRUE(pane.logoutRefused());
    mac.desktop().scripting().setOutcome(SimScripting::Outcome::Runs);
    pane.logOut();
    EXPECT_FALSE(pane.logoutRefused());
    EXPECT_EQ(mac.desktop().scripting().logoutsStarted(), 1);
}

} // namespace
} // namespace zorv
