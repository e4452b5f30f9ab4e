#include "coroutinetest.h"
#include "desktoptest.h"

namespace zorv::testing {
namespace {

// Pixels whose bytes differ from the mean of the four corners by more than 20 in any byte.
int glyphPixels(const QImage &image) {
    const QList<QPoint> corners = {{0, 0},
                                   {image.width() - 1, 0},
                                   {0, image.height() - 1},
                                   {image.width() - 1, image.height() - 1}};
    std::array<int, 4> background{};
    for (const QPoint &corner : corners) {
        const uchar *pixel = image.constScanLine(corner.y()) + 4 * corner.x();
        for (int byte = 0; byte < 4; ++byte) {
            background[byte] += pixel[byte];
        }
    }
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            for (int byte = 0; byte < 4; ++byte) {
                if (std::abs(row[4 * x + byte] - background[byte] / 4) > 20) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

class CaptureTest : public DesktopTest {
protected:
    void SetUp() override {
        display = addLaptop();
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        glyph = addItem(app, 24.0, QStringLiteral("glyph"));
        separator = desktop.statusBar().createStatusItem(8.0);
        settle();
        separatorId = barOrder().front();
    }

    ShareableContent content(bool onScreenOnly) {
        const ShareableContentResult result =
            runTask(desktop.screenCapture().shareableContent(false, onScreenOnly));
        EXPECT_EQ(result.error, CaptureError::None);
        return result.content.value_or(ShareableContent{});
    }

    // The whole laptop display at twice its size, without the excluded windows.
    QImage screenshot(const QList<quint32> &excluded = {}) {
        const CaptureResult result = runTask(desktop.screenCapture().captureDisplay(
            display, excluded, CaptureConfiguration{3024, 1964, false, Qt::transparent, false}));
        EXPECT_EQ(result.error, CaptureError::None);
        return result.image;
    }

    // The glyph pixels of a screenshot where the item stands.
    int glyphPixelsAt(const QImage &screen, quint64 itemId) {
        const QRectF frame = entry(itemId).frame;
        return glyphPixels(
            screen.copy(QRectF(frame.topLeft() * 2, frame.size() * 2).toAlignedRect()));
    }

    std::optional<ShareableWindow> windowOf(const ShareableContent &offer, quint64 itemId) {
        for (const ShareableWindow &window : offer.windows) {
            if (window.windowId == itemId) {
                return window;
            }
        }
        return std::nullopt;
    }

    DisplayId display = 0;
    qint32 app = 0;
    quint64 glyph = 0;
    std::unique_ptr<StatusItem> separator;
    quint64 separatorId = 0;
};

TEST_F(CaptureTest, OffersStatusItemWindowsAtLayer25WithTheirFrames) {
    const ShareableContent offer = content(true);
    const auto window = windowOf(offer, glyph);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowLayer, 25);
    EXPECT_EQ(window->frame, entry(glyph).frame);
    EXPECT_EQ(window->owningProcessId, app);
    ASSERT_EQ(offer.displays.size(), 1);
    EXPECT_EQ(offer.displays.front(),
              (ShareableDisplay{display, QRectF(0, 0, 1512, 982), 1512, 982}));
    for (const ShareableWindow &other : offer.windows) {
        if (other.windowLayer == 25) {
            EXPECT_LE(other.frame.height(), 44);
        }
    }

    // A long separator's window is wider than any status item; items it pushes off the screen
    // leave the on-screen list.
    separator->setLength(1720.0);
    settle();
    EXPECT_GT(windowOf(content(true), separatorId)->frame.width(), 600);
    const quint64 pushed = addItem(app, 24.0, QStringLiteral("pushed"));
    settle();
    EXPECT_FALSE(windowOf(content(true), pushed));
    EXPECT_TRUE(windowOf(content(false), pushed));
}

TEST_F(CaptureTest, WindowCapturesShowTheGlyphOnTheBarColour) {
    CaptureConfiguration configuration;
    configuration.width = 48;
    configuration.height = 48;
    const CaptureResult item = runTask(desktop.screenCapture().captureWindow(glyph, configuration));
    ASSERT_EQ(item.error, CaptureError::None);
    EXPECT_EQ(item.image.size(), QSize(48, 48));
    EXPECT_EQ(item.image.depth(), 32);
    EXPECT_EQ(item.image.pixelColor(0, 0), QColor(236, 236, 236));
    EXPECT_GT(glyphPixels(item.image), 50);

    configuration.width = 16;
    const CaptureResult gap =
        runTask(desktop.screenCapture().captureWindow(separatorId, configuration));
    ASSERT_EQ(gap.error, CaptureError::None);
    EXPECT_EQ(glyphPixels(gap.image), 0) << "a separator is blank";
}

TEST_F(CaptureTest, DisplayCapturesDrawEachVisibleItemWhereItStands) {
    const QImage screen = screenshot();
    EXPECT_GT(glyphPixelsAt(screen, glyph), 50);
    EXPECT_GT(glyphPixelsAt(screen, clockItem), 20) << "the clock's title";
    EXPECT_EQ(glyphPixelsAt(screen, separatorId), 0);
    EXPECT_EQ(glyphPixelsAt(screenshot({quint32(glyph)}), glyph), 0);
}

// A hidden button keeps its place and length, but the bar shows a blank there and a capture of
// its window is blank too.
TEST_F(CaptureTest, HiddenButtonsDrawNothingWhereTheyStand) {
    const QRectF before = entry(glyph).frame;
    desktop.items().setButtonHidden(glyph, true);
    separator->button()->setTitle(QStringLiteral("Z"));
    separator->button()->setHidden(true);
    settle();
    EXPECT_EQ(entry(glyph).frame, before);
    EXPECT_FALSE(entry(glyph).visible);

    const QImage screen = screenshot();
    for (quint64 itemId : {glyph, separatorId}) {
        EXPECT_EQ(glyphPixelsAt(screen, itemId), 0) << itemId;
        const CaptureResult alone = runTask(desktop.screenCapture().captureWindow(
            itemId, CaptureConfiguration{48, 48, false, Qt::black, false}));
        ASSERT_EQ(alone.error, CaptureError::None);
        EXPECT_EQ(glyphPixels(alone.image), 0) << itemId;
    }
}

// Menus that claim to reach far past the screen are painted up to its edge, and the capture
// still comes back (it used to paint title blocks until x stopped growing, which is never).
TEST_F(CaptureTest, MenusWiderThanTheScreenEndAtItsEdge) {
    const qint32 front = launch(QStringLiteral("com.example.endless"), 1e300);
    desktop.applications().activate(front);
    const CaptureResult screen = runTask(desktop.screenCapture().captureDisplay(
        display, {}, CaptureConfiguration{756, 491, false, Qt::transparent, false}));
    ASSERT_EQ(screen.error, CaptureError::None);
    EXPECT_GT(glyphPixels(screen.image.copy(QRect(680, 0, 76, 12))), 0)
        << "menu blocks reach the right end of the bar";
}

TEST_F(CaptureTest, WithoutScreenRecordingEveryRequestFails) {
    desktop.permissions().setScreenRecordingGranted(false);
    ScreenCapture &capture = desktop.screenCapture();
    EXPECT_FALSE(capture.hasPermission());
    EXPECT_EQ(runTask(capture.shareableContent(true, true)).error, CaptureError::PermissionDenied);
    EXPECT_EQ(runTask(capture.captureWindow(glyph, {})).error, CaptureError::PermissionDenied);
    EXPECT_EQ(runTask(capture.captureDisplay(display, {}, {})).error,
              CaptureError::PermissionDenied);
}

TEST_F(CaptureTest, GoneWindowsAndDisplaysAreNotFound) {
    EXPECT_EQ(runTask(desktop.screenCapture().captureWindow(9999, {})).error,
              CaptureError::NotFound);
    EXPECT_EQ(runTask(desktop.screenCapture().captureDisplay(42, {}, {})).error,
              CaptureError::NotFound);
    const CaptureResult natural = runTask(desktop.screenCapture().captureWindow(glyph, {}));
    EXPECT_EQ(natural.image.size(), QSize(48, 48)) << "the natural size at the screen's scale";
}

} // namespace
} // namespace zorv::testing
