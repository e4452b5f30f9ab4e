#include "capture/captureservice.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "screencapture.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// A white image of the size with a dark block over the given columns and rows (inclusive).
QImage blockImage(QSize size, QRect block, QImage::Format format = QImage::Format_ARGB32,
                  QColor ink = QColor(20, 20, 20)) {
    QImage image(size, format);
    image.fill(Qt::white);
    for (int y = block.top(); y <= block.bottom(); ++y) {
        for (int x = block.left(); x <= block.right(); ++x) {
            image.setPixelColor(x, y, ink);
        }
    }
    return image;
}

TEST(CaptureService, TrimmingCutsDownToTheGlyphWithAMargin) {
    const auto ink = [](QRect block, QColor colour = QColor(20, 20, 20),
                        QImage::Format format = QImage::Format_ARGB32) {
        return blockImage({40, 30}, block, format, colour);
    };
    // The part of the image the trimmed one shows; absent when it comes back unchanged.
    const QList<std::tuple<const char *, QImage, std::optional<QRect>>> cases{
        {"glyph in the middle", ink(QRect(10, 12, 11, 3)), QRect(6, 8, 19, 11)},
        {"glyph at the edges", ink(QRect(0, 20, 31, 8)), QRect(0, 16, 35, 14)},
        {"faint ink is background", ink(QRect(10, 10, 5, 5), QColor(235, 235, 235)), {}},
        {"just visible ink", ink(QRect(10, 10, 5, 5), QColor(234, 255, 255)), QRect(6, 6, 13, 13)},
        {"24 bits", ink(QRect(10, 10, 5, 5), Qt::black, QImage::Format_RGB888), {}}};
    for (const auto &[name, image, kept] : cases) {
        EXPECT_EQ(CaptureService::trimmedToGlyph(image), kept ? image.copy(*kept) : image) << name;
    }
}

// One sample (column 12, row 14 of a 60 x 44 crop) in the colour decides.
TEST(CaptureService, BlankTestComparesASparseGridOfSamples) {
    const auto oneSample = [](QColor colour) {
        return blockImage({60, 44}, QRect(12, 14, 1, 1), QImage::Format_ARGB32, colour);
    };
    const QList<std::tuple<const char *, QImage, bool>> cases{
        {"uniform", blockImage({60, 44}, QRect()), true},
        {"fourteen away", oneSample(QColor(255, 241, 255)), true},
        {"fifteen away", oneSample(QColor(255, 255, 240)), false},
        {"alpha ignored", oneSample(QColor(255, 255, 255, 0)), true},
        {"24 bits", blockImage({60, 44}, QRect(), QImage::Format_RGB888), false}};
    for (const auto &[name, image, blank] : cases) {
        EXPECT_EQ(CaptureService::looksBlank(image), blank) << name;
    }
}

// The simulator's capture service, counting the captures asked of it.
class CountingCapture final : public ScreenCapture {
public:
    explicit CountingCapture(ScreenCapture &inner) : m_inner(inner) {}

    [[nodiscard]] bool hasPermission() const override { return m_inner.hasPermission(); }
    QCoro::Task<ShareableContentResult> shareableContent(bool excludingDesktop,
                                                         bool onScreenOnly) override {
        return m_inner.shareableContent(excludingDesktop, onScreenOnly);
    }
    QCoro::Task<CaptureResult> captureWindow(quint32 windowId,
                                             CaptureConfiguration configuration) override {
        ++captures;
        return m_inner.captureWindow(windowId, configuration);
    }
    QCoro::Task<CaptureResult> captureDisplay(DisplayId display, QList<quint32> excluded,
                                              CaptureConfiguration configuration) override {
        ++captures;
        return m_inner.captureDisplay(display, excluded, configuration);
    }

    int captures = 0;

private:
    ScreenCapture &m_inner;
};

class CaptureServiceTest : public DesktopTest {
protected:
    MenuBarItemID idOf(quint64 item) {
        return MenuBarItemID{u"com.example.tools"_s, QString::number(item), std::nullopt, 0};
    }

    // The frames of the items as a scan reports them.
    QHash<MenuBarItemID, QRectF> framesOf(const QList<quint64> &items) {
        QHash<MenuBarItemID, QRectF> frames;
        for (const quint64 item : items) {
            frames.insert(idOf(item), entry(item).frame);
        }
        return frames;
    }

    void capture(const QList<quint64> &items, double barScreenMinX = 0.0) {
        runTask(service.captureVisible(framesOf(items), barScreenMinX));
    }

    CountingCapture counting{desktop.screenCapture()};
    CaptureService service{counting};
};

struct BarScreenCase {
    const char *name;
    // Where a second display holding the bar goes; absent for the laptop alone.
    std::optional<QPointF> externalOrigin;
};

class BarScreenEdge : public CaptureServiceTest,
                      public ::testing::WithParamInterface<BarScreenCase> {};

// Items pushed past the bar screen's left edge are out of sight and never photographed; the
// visible ones are pictured from their own windows, trimmed to their glyphs.
TEST_P(BarScreenEdge, PicturesOnlyItemsRightOfTheBarScreensLeftEdge) {
    addLaptop();
    double barMinX = 0.0;
    if (const auto origin = GetParam().externalOrigin) {
        ScreenDescription external;
        external.size = QSizeF(1920, 1080);
        external.origin = origin;
        desktop.arrangement().setMainScreen(desktop.arrangement().add(external));
        barMinX = origin->x();
    }
    const qint32 tools = launch(u"com.example.tools"_s);
    // Each new item goes to the left end.
    const quint64 visible = addItem(tools, 40.0, u"visible"_s);
    const quint64 wide = addItem(tools, 3000.0, u"wide"_s);
    const quint64 pushedOff = addItem(tools, 24.0, u"off"_s);
    settle();
    ASSERT_LT(entry(pushedOff).frame.center().x(), barMinX);

    capture({pushedOff, wide, visible}, barMinX);
    EXPECT_FALSE(service.cache().contains(idOf(pushedOff)));
    const bool wideInView = entry(wide).frame.center().x() > barMinX;
    EXPECT_EQ(counting.captures, wideInView ? 2 : 1) << "one window per item in view";
    const QImage picture = service.cache().value(idOf(visible));
    EXPECT_LT(picture.width(), 80) << "narrower than the 40-point window at 2 pixels per point";
    EXPECT_FALSE(CaptureService::looksBlank(picture));
    EXPECT_EQ(CaptureService::trimmedToGlyph(picture), picture) << "nothing left to trim";

    desktop.permissions().setScreenRecordingGranted(false);
    capture({visible}, barMinX);
    EXPECT_EQ(service.cache().value(idOf(visible)), picture) << "a failed capture keeps the old";
}

INSTANTIATE_TEST_SUITE_P(Cases, BarScreenEdge,
                         ::testing::Values(BarScreenCase{"Laptop", std::nullopt},
                                           BarScreenCase{"LeftOfMain", QPointF(-1920, -98)},
                                           BarScreenCase{"RightOfMain", QPointF(1512, -98)}),
                         [](const auto &info) { return std::string(info.param.name); });

// A meter or a status badge redraws its item while its application runs: every capture asks
// for the item again and the newest picture replaces the one kept.
TEST_F(CaptureServiceTest, KeepsTheNewestPictureWhenAnItemRedrawsWhileItsApplicationRuns) {
    addLaptop();
    const qint32 tools = launch(u"com.example.tools"_s);
    const quint64 meter = addItem(tools, 40.0, u"meter"_s);
    settle();
    capture({meter});
    const QImage first = service.cache().value(idOf(meter));
    ASSERT_FALSE(first.isNull());

    ASSERT_TRUE(desktop.items().setImage(meter, blockImage(QSize(40, 40), QRect(4, 14, 32, 12))));
    settle();
    capture({meter});
    const QImage second = service.cache().value(idOf(meter));
    EXPECT_EQ(counting.captures, 2);
    ASSERT_FALSE(second.isNull());
    EXPECT_NE(second, first);
    EXPECT_FALSE(CaptureService::looksBlank(second));
}

// Which item widens between the scan and its captures, and to what length; the items stand from
// right to left as "edge", "right", "left", 40 points each.
struct BarMovedCase {
    const char *name;
    bool edgeWidens;
    double length;
};

void PrintTo(const BarMovedCase &c, std::ostream *out) {
    *out << c.name;
}

class BarMovedSinceRead : public CaptureServiceTest,
                          public ::testing::WithParamInterface<BarMovedCase> {};

// An item widens between the scan and its captures and pushes its neighbours left: the window now
// under the spot the scan read for "left" is a neighbour's, which may share its left edge or its
// width with what was read, or no window is. No item is pictured from another's window or from
// a crop of a spot that others now hold, and the next scan pictures each where it then stands.
TEST_P(BarMovedSinceRead, TakesNoPictureWhereTheBarMovedSinceItWasRead) {
    addLaptop();
    const qint32 tools = launch(u"com.example.tools"_s);
    const quint64 edge = addItem(tools, 40.0, u"edge"_s);
    const quint64 right = addItem(tools, 40.0, u"right"_s);
    const quint64 left = addItem(tools, 40.0, u"left"_s);
    settle();
    ASSERT_TRUE(desktop.items().setImage(left, blockImage(QSize(40, 40), QRect(4, 4, 8, 32))));
    ASSERT_TRUE(desktop.items().setImage(right, blockImage(QSize(40, 40), QRect(4, 14, 32, 12))));
    settle();
    const QHash<MenuBarItemID, QRectF> read = framesOf({left, right});
    ASSERT_TRUE(desktop.items().setLength(GetParam().edgeWidens ? edge : right, GetParam().length));
    settle();
    ASSERT_NE(entry(left).frame, read.value(idOf(left)));

    runTask(service.captureVisible(read, 0.0));
    EXPECT_FALSE(service.cache().contains(idOf(left)));

    capture({left, right});
    ASSERT_TRUE(service.cache().contains(idOf(left)));
    EXPECT_NE(service.cache().value(idOf(left)), service.cache().value(idOf(right)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BarMovedSinceRead,
    ::testing::Values(
        BarMovedCase{"WiderNeighbour", false, 80.0},
        // "right"'s window starts where "left" was read to start (items stand 16 points apart).
        BarMovedCase{"NeighbourOnTheSameLeftEdge", false, 96.0},
        // Both slide 40 points: "right"'s window, as wide as "left", covers "left"'s spot.
        BarMovedCase{"NeighbourOfTheSameWidth", true, 80.0},
        // Both slide 20 points: the middle of "left"'s spot falls between two windows.
        BarMovedCase{"SpotBetweenTwoWindows", true, 60.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CaptureServiceTest, TallBarFallsBackToADisplayCropThatIsNeverBlank) {
    ScreenDescription tall;
    tall.menuBarHeight = 50.0; // item windows taller than a status-item window may be
    desktop.arrangement().add(tall);
    const qint32 tools = launch(u"com.example.tools"_s);
    const quint64 drawn = addItem(tools, 40.0, u"drawn"_s);
    ItemDescription empty;
    empty.length = 30.0;
    const quint64 blank = desktop.items().add(tools, empty).value();
    settle();

    capture({drawn, blank});
    const QImage picture = service.cache().value(idOf(drawn));
    ASSERT_FALSE(picture.isNull());
    EXPECT_LT(picture.width(), 80);
    EXPECT_FALSE(service.cache().contains(idOf(blank)));
}

} // namespace
} // namespace zorv::testing
