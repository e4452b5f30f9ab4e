#include "items/menubarcolorsampler.h"
#include "appearance/simdesktoppictures.h"
#include "cloud/simcloud.h"
#include "look/zorvstyle.h"
#include "manualclock.h"
#include "preferences/simglobalpreferences.h"
#include "scenario/scenarioloader.h"
#include "scenario/scenariorunner.h"
#include "simulateddesktop.h"
#include "storage/atomicfile.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class MenuBarColorSamplerTest : public ::testing::Test {
protected:
    MenuBarColorSamplerTest() {
        display = desktop.arrangement().add(ScreenDescription{});
        desktop.arrangement().setMainScreen(display);
    }

    // The file of a picture in one colour.
    QString picture(const QString &name, QColor color) {
        QImage image(40, 100, QImage::Format_RGB32);
        image.fill(color);
        const QString path = folder.filePath(name + u".png"_s);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void advance(double secondsToGo) {
        clock.advance(seconds(secondsToGo));
        clock.settle();
    }

    ManualClock clock;
    SimulatedDesktop desktop{clock, AppDescription{}};
    SimDesktopPictures pictures{desktop.model()};
    MenuBarColorSampler sampler{desktop.screens(), pictures, clock};
    QTemporaryDir folder;
    DisplayId display = 0;
};

TEST_F(MenuBarColorSamplerTest, AveragesTheTopTwentiethOrTheTopRow) {
    const struct {
        int height;
        int top;
        QColor expected;
    } cases[] = {
        // 2160 high: the top 108 rows are sampled, row 108 is not.
        {2160, 108, Qt::red},
        {2160, 54, QColor(128, 0, 128)},
        // 19 high or less: the top row only.
        {19, 1, Qt::red},
        {20, 1, Qt::red},
        {1, 1, Qt::red},
    };
    for (const auto &c : cases) {
        QImage image(40, c.height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(0, 0, 40, c.top, Qt::red);
        EXPECT_EQ(MenuBarColorSampler::topStripColor(image), c.expected)
            << c.height << " high, " << c.top << " red rows";
    }
    EXPECT_FALSE(MenuBarColorSampler::topStripColor(QImage()));
}

TEST_F(MenuBarColorSamplerTest, TellsDarkFromLightByLuminance) {
    EXPECT_TRUE(MenuBarColorSampler::isDarkColor(QColor(128, 128, 128)));  // 0.502
    EXPECT_FALSE(MenuBarColorSampler::isDarkColor(QColor(141, 141, 141))); // 0.553
    EXPECT_TRUE(MenuBarColorSampler::isDarkColor(Qt::blue));
    EXPECT_FALSE(MenuBarColorSampler::isDarkColor(Qt::yellow));
}

TEST_F(MenuBarColorSamplerTest, KeepsASampleForAMinute) {
    pictures.setPicture(display, picture(u"light"_s, Qt::white));
    EXPECT_EQ(sampler.sampled(), QColor(Qt::white));
    EXPECT_FALSE(sampler.isDark());

    pictures.setPicture(display, picture(u"dark"_s, Qt::black));
    advance(59);
    EXPECT_EQ(sampler.sampled(), QColor(Qt::white)) << "59 s: the kept sample";
    advance(1);
    EXPECT_EQ(sampler.sampled(), QColor(Qt::black)) << "60 s: sampled afresh";
    EXPECT_TRUE(sampler.isDark());
}

TEST_F(MenuBarColorSamplerTest, GivesNothingWhenThePictureCannotBeHad) {
    pictures.setPicture(display, std::nullopt);
    EXPECT_FALSE(sampler.sampled());
    EXPECT_TRUE(sampler.isDark()) << "no sample counts as dark";

    pictures.setPicture(display, picture(u"light"_s, Qt::white));
    ASSERT_TRUE(sampler.sampled());
    advance(60);
    // A stale sample is not returned, but it still answers isDark.
    pictures.setPicture(display, folder.filePath(u"missing.png"_s));
    EXPECT_FALSE(sampler.sampled());
    EXPECT_FALSE(sampler.isDark());

    desktop.arrangement().setMainScreen(std::nullopt);
    EXPECT_FALSE(sampler.sampled());
}

TEST_F(MenuBarColorSamplerTest, TheSimulatorDrawsAPictureFromTheDesktopColour) {
    const auto path = pictures.desktopImagePath(display);
    ASSERT_TRUE(path);
    const QImage drawn(*path);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_NEAR(drawn.width() / double(drawn.height()), 1512.0 / 982.0, 0.01);
    const auto color = sampler.sampled();
    ASSERT_TRUE(color);
    EXPECT_TRUE(sampler.isDark()) << "the default desktop is a mid blue";
    EXPECT_FALSE(pictures.desktopImagePath(display + 1)) << "no such screen";
}

// A scenario sets the appearance, changes it later and names its screen's desktop picture by a path
// relative to the scenario file: the palette and the sampler follow.
TEST(ScenarioLookTest, ThePaletteAndTheSamplerFollowWhatAScenarioSets) {
    QTemporaryDir folder;
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(240, 240, 240));
    ASSERT_TRUE(picture.save(folder.filePath(u"light.png"_s)));
    const QString scenario = folder.filePath(u"dusk.json"_s);
    ASSERT_FALSE(writeFileAtomically(scenario, R"({
        "name": "dusk", "appearance": "dark", "desktopPictures": {"1": "light.png"},
        "screens": [{"name": "D", "frame": {"x": 0, "y": 0, "width": 1440, "height": 900}}],
        "events": [{"at": 10, "do": "setAppearance", "appearance": "light"}]
    })",
                                     FileDurability::Unsynced));
    ManualClock clock;
    SimulatedDesktop desktop(clock, AppDescription{});
    SimWorkspace workspace(desktop.model());
    SimGlobalPreferences preferences;
    SimCloud cloud;
    ScenarioRunner runner(ScenarioLoader::load(scenario), desktop, workspace, preferences, cloud);
    ZorvStyle palette(&desktop.appearance());
    runner.start();
    clock.settle();
    desktop.arrangement().setMainScreen(desktop.screens().screens().constFirst().displayId);
    MenuBarColorSampler sampler(desktop.screens(), desktop.desktopPictures(), clock);
    EXPECT_EQ(sampler.sampled(), QColor(240, 240, 240));
    EXPECT_FALSE(sampler.isDark());
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
