#include "state/openmenus.h"
#include "desktoptest.h"
#include "workspace/simworkspace.h"

#include <gtest/gtest.h>

namespace zorv::testing {
namespace {

// The window server's list as the case gives it.
class ListedWindows final : public WindowList {
public:
    [[nodiscard]] QList<OnScreenWindow> onScreenWindows() const override { return windows; }
    QList<OnScreenWindow> windows;
};

struct OpenMenuCase {
    const char *name;
    // Whose pop-up menu window is listed, and where (top-left convention).
    bool zorvsOwn;
    QRectF frame;
    bool counted;

    friend void PrintTo(const OpenMenuCase &c, std::ostream *out) { *out << c.name; }
};

class OpenMenusTest : public DesktopTest, public ::testing::WithParamInterface<OpenMenuCase> {};

// Only another application's menu on a screen that exists holds a run or a tuck: Zorv's own menus
// do not, nor a menu left where a display was unplugged.
TEST_P(OpenMenusTest, countsOtherApplicationsMenusOnAScreen) {
    const OpenMenuCase &c = GetParam();
    addLaptop();
    const qint32 other = launch(QStringLiteral("com.example.other"));
    const qint32 owner = c.zorvsOwn ? self() : other;
    SimWorkspace workspace(desktop.model());
    ListedWindows list;
    list.windows = {{1, WindowList::statusItemLayer, QRectF(1200, 0, 30, 24), other},
                    {2, WindowList::popUpMenuLayer, c.frame, owner}};
    const OpenMenus menus(list, workspace, desktop.screens());
    EXPECT_EQ(menus.anyOpen(), c.counted);
    EXPECT_EQ(menus.openBy(owner), c.counted);
    EXPECT_FALSE(menus.openBy(owner + 1000));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, OpenMenusTest,
    ::testing::Values(
        OpenMenuCase{"AnotherApplicationsBelowTheBar", false, QRectF(1200, 24, 220, 120), true},
        OpenMenuCase{"ZorvsOwn", true, QRectF(1200, 24, 220, 120), false},
        OpenMenuCase{"OnADisplayUnplugged", false, QRectF(9918, 24, 220, 120), false},
        OpenMenuCase{"OverlappingTheScreensEdge", false, QRectF(-100, 24, 220, 120), true}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
