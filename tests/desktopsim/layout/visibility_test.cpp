#include "desktoptest.h"

namespace zorv::testing {
namespace {

// Items hidden by the frontmost application's menus or by the camera housing keep their frames
// and stay listed, but are neither drawn nor clickable.
class VisibilityTest : public DesktopTest {
protected:
    void furnish(double housing) {
        addLaptop(housing);
        addSystemItems();
        app = launch(QStringLiteral("com.example.many"));
        for (int index = 0; index < 30; ++index) {
            items.prepend(addItem(app, 24.0, QStringLiteral("item-%1").arg(index)));
        }
        settle();
    }

    qint32 app = 0;
    QList<quint64> items; // left to right
};

TEST_F(VisibilityTest, ItemsRunningIntoTheFrontmostMenusAreNotDrawn) {
    furnish(0.0);
    const qint32 editor = launch(QStringLiteral("com.example.editor"), 700.0);
    desktop.applications().activate(editor);
    for (const BarEntry &found : desktop.readout().bar()) {
        EXPECT_EQ(found.underMenus, found.frame.left() < 700.0) << found.itemId;
        EXPECT_EQ(found.visible, found.frame.left() >= 700.0) << found.itemId;
        EXPECT_TRUE(found.onScreen) << "still laid out at its positive x";
    }
    EXPECT_TRUE(entry(items.front()).underMenus);
    EXPECT_FALSE(desktop.screens().screens().front().auxiliaryTopLeftArea) << "no housing";

    // An application with fewer menus brings them back without a layout pass.
    const qint32 small = launch(QStringLiteral("com.example.small"), 100.0);
    desktop.applications().activate(small);
    EXPECT_TRUE(entry(items.front()).visible);
}

TEST_F(VisibilityTest, ItemsUnderTheCameraHousingAreObscured) {
    furnish(200.0);
    // The housing spans x 656 to 856 on the 1512-point screen.
    int obscured = 0;
    for (const BarEntry &found : desktop.readout().bar()) {
        const double centre = found.frame.center().x();
        const bool underneath = centre >= 656.0 && centre <= 856.0;
        EXPECT_EQ(found.underHousing, underneath) << found.itemId;
        EXPECT_EQ(found.visible, !underneath && found.onScreen) << found.itemId;
        obscured += underneath ? 1 : 0;
    }
    EXPECT_GT(obscured, 0);
    const auto screen = desktop.screens().screens().front();
    ASSERT_TRUE(screen.auxiliaryTopLeftArea && screen.auxiliaryTopRightArea);
    EXPECT_EQ(*screen.auxiliaryTopLeftArea, QRectF(0, 982 - 37, 656, 37));
    EXPECT_EQ(*screen.auxiliaryTopRightArea, QRectF(856, 982 - 37, 656, 37));
    EXPECT_EQ(entry(clockItem).frame.height(), 37) << "the bar is as tall as the housing";
}

} // namespace
} // namespace zorv::testing
