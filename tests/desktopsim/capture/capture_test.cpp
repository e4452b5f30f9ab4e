#include "coroutinetest.h"
#include "desktoptest.h"

namespace zorv::testing {
namespace {

using namespace Qt::StringLiterals;

// Pixels whose bytes differ from the mean of the four corners by more than 20 in any byte.
int glyphPixels(const QImage &image) {
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const auto byteAt = [&](int x, int y, int byte) {
        return int(image.constScanLine(y)[4 * x + byte]);
    };
    std::array<int, 4> background{};
    for (int byte = 0; byte < 4; ++byte) {
        background[byte] = (byteAt(0, 0, byte) + byteAt(right, 0, byte) + byteAt(0, bottom, byte) +
                            byteAt(right, bottom, byte)) /
                           4;
    }
    int count = 0;
    for (int y = 0; y <= bottom; ++y) {
        for (int x = 0; x <= right; ++x) {
            for (int byte = 0; byte < 4; ++byte) {
                if (std::abs(byteAt(x, y, byte) - background[byte]) > 20) {
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
        app = launch(u"com.example.tools"_s);
        glyph = addItem(app, 24.0, u"glyph"_s);
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

    std::optional<ShareableWindow> windowOf(const ShareableContent &offer, quint64 itemId) {
        const auto found = std::ranges::find(offer.windows, itemId, &ShareableWindow::windowId);
        return found == offer.windows.end() ? std::nullopt : std::optional(*found);
    }

    // A successful capture of the item's window.
    QImage windowImage(quint64 itemId, const CaptureConfiguration &configuration) {
        const CaptureResult result =
            runTask(desktop.screenCapture().captureWindow(itemId, configuration));
        EXPECT_EQ(result.error, CaptureError::None);
        return result.image;
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

    DisplayId display = 0;
    qint32 app = 0;
    quint64 glyph = 0;
    std::unique_ptr<StatusItem> separator;
    quint64 separatorId = 0;
};

TEST_F(CaptureTest, OffersStatusItemWindowsAtLayer25WithTheirFrames) {
    const ShareableContent offer = content(true);
    EXPECT_EQ(windowOf(offer, glyph),
              (ShareableWindow{quint32(glyph), 25, entry(glyph).frame, app}));
    EXPECT_EQ(offer.displays, QList<ShareableDisplay>(
                                  {ShareableDisplay{display, QRectF(0, 0, 1512, 982), 1512, 982}}));
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
    const quint64 pushed = addItem(app, 24.0, u"pushed"_s);
    settle();
    EXPECT_FALSE(windowOf(content(true), pushed));
    EXPECT_TRUE(windowOf(content(false), pushed));
}

// A window capture shows the glyph on the ground the configuration asks for (black unless told,
// as the real service does), never on the bar's colour: the engine asks for a clear one so that
// its pictures keep the bar's look wherever they are drawn. The natural size is 48 points (24 at
// the screen's scale) unless asked otherwise; a separator's is blank.
TEST_F(CaptureTest, WindowCapturesShowTheGlyphOnTheGroundAskedFor) {
    struct Case {
        const char *name;
        QColor ground;
    };
    const Case cases[] = {
        {"white", Qt::white},
        {"clear", Qt::transparent},
        {"coloured", QColor(200, 30, 60)},
    };
    for (const Case &c : cases) {
        CaptureConfiguration configuration;
        configuration.backgroundColor = c.ground;
        const QImage item = windowImage(glyph, configuration);
        EXPECT_EQ(item.size(), QSize(48, 48)) << c.name;
        EXPECT_EQ(item.depth(), 32) << c.name;
        EXPECT_EQ(item.pixelColor(0, 0).rgba(), c.ground.rgba()) << c.name;
        EXPECT_GT(glyphPixels(item), 50) << c.name;
    }

    EXPECT_EQ(windowImage(glyph, {}).pixelColor(0, 0), QColor(Qt::black)) << "unless told";

    CaptureConfiguration configuration;
    configuration.width = 16;
    configuration.height = 48;
    const QImage gap = windowImage(separatorId, configuration);
    EXPECT_EQ(gap.size(), QSize(16, 48));
    EXPECT_EQ(glyphPixels(gap), 0) << "a separator is blank";
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
    separator->button()->setTitle(u"Z"_s);
    separator->button()->setHidden(true);
    settle();
    EXPECT_EQ(entry(glyph).frame, before);
    EXPECT_FALSE(entry(glyph).visible);

    const QImage screen = screenshot();
    for (quint64 itemId : {glyph, separatorId}) {
        EXPECT_EQ(glyphPixelsAt(screen, itemId), 0) << itemId;
        EXPECT_EQ(glyphPixels(windowImage(itemId, {48, 48, false, Qt::black, false})), 0) << itemId;
    }
}

// Menus that claim to reach far past the screen are painted up to its edge, and the capture
// still comes back (it used to paint title blocks until x stopped growing, which is never).
TEST_F(CaptureTest, MenusWiderThanTheScreenEndAtItsEdge) {
    const qint32 front = launch(u"com.example.endless"_s, 1e300);
    desktop.applications().activate(front);
    const CaptureResult screen = runTask(desktop.screenCapture().captureDisplay(
        display, {}, CaptureConfiguration{756, 491, false, Qt::transparent, false}));
    ASSERT_EQ(screen.error, CaptureError::None);
    EXPECT_GT(glyphPixels(screen.image.copy(QRect(680, 0, 76, 12))), 0)
        << "menu blocks reach the right end of the bar";
}

// Without the screen-recording permission every request fails; gone windows and displays are
// not found.
TEST_F(CaptureTest, RequestsFailWithoutPermissionOrTarget) {
    ScreenCapture &capture = desktop.screenCapture();
    EXPECT_EQ(runTask(capture.captureWindow(9999, {})).error, CaptureError::NotFound);
    EXPECT_EQ(runTask(capture.captureDisplay(42, {}, {})).error, CaptureError::NotFound);

    desktop.permissions().setScreenRecordingGranted(false);
    EXPECT_FALSE(capture.hasPermission());
    EXPECT_EQ(runTask(capture.shareableContent(true, true)).error, CaptureError::PermissionDenied);
    EXPECT_EQ(runTask(capture.captureWindow(glyph, {})).error, CaptureError::PermissionDenied);
    EXPECT_EQ(runTask(capture.captureDisplay(display, {}, {})).error,
              CaptureError::PermissionDenied);
}

} // namespace
} // namespace zorv::testing
