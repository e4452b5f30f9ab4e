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

struct TrimCase {
    const char *name;
    QImage image;
    // The part of the image the trimmed one shows; absent when it comes back unchanged.
    std::optional<QRect> kept;
};

void PrintTo(const TrimCase &trimCase, std::ostream *out) {
    *out << trimCase.name;
}

class Trimming : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trimming, CutsDownToTheGlyphWithAMargin) {
    const QImage &image = GetParam().image;
    const QImage trimmed = CaptureService::trimmedToGlyph(image);
    EXPECT_EQ(trimmed, GetParam().kept ? image.copy(*GetParam().kept) : image);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Trimming,
    ::testing::Values(TrimCase{"GlyphInTheMiddle", blockImage({40, 30}, QRect(10, 12, 11, 3)),
                               QRect(6, 8, 19, 11)},
                      TrimCase{"GlyphAtTheEdges", blockImage({40, 30}, QRect(0, 20, 31, 8)),
                               QRect(0, 16, 35, 14)},
                      TrimCase{"FaintInkIsBackground",
                               blockImage({40, 30}, QRect(10, 10, 5, 5), QImage::Format_ARGB32,
                                          QColor(235, 235, 235)),
                               std::nullopt},
                      TrimCase{"JustVisibleInk",
                               blockImage({40, 30}, QRect(10, 10, 5, 5), QImage::Format_ARGB32,
                                          QColor(234, 255, 255)),
                               QRect(6, 6, 13, 13)},
                      TrimCase{"Uniform", blockImage({40, 30}, QRect()), std::nullopt},
                      TrimCase{"TooNarrow", blockImage({4, 30}, QRect(1, 10, 2, 2)), std::nullopt},
                      TrimCase{"TwentyFourBits",
                               blockImage({40, 30}, QRect(10, 10, 5, 5), QImage::Format_RGB888),
                               std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

struct BlankCase {
    const char *name;
    QImage image;
    bool blank;
};

void PrintTo(const BlankCase &blankCase, std::ostream *out) {
    *out << blankCase.name;
}

class BlankTest : public ::testing::TestWithParam<BlankCase> {};

TEST_P(BlankTest, SamplesASparseGrid) {
    EXPECT_EQ(CaptureService::looksBlank(GetParam().image), GetParam().blank);
}

// A 60 x 44 crop with one sampled pixel (column 12, row 14) in the colour.
QImage oneSample(QColor colour) {
    return blockImage({60, 44}, QRect(12, 14, 1, 1), QImage::Format_ARGB32, colour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlankTest,
    ::testing::Values(BlankCase{"Uniform", blockImage({60, 44}, QRect()), true},
                      BlankCase{"SampleFourteenAway", oneSample(QColor(255, 241, 255)), true},
                      BlankCase{"SampleFifteenAway", oneSample(QColor(255, 255, 240)), false},
                      BlankCase{"AlphaIsIgnored", oneSample(QColor(255, 255, 255, 0)), true},
                      BlankCase{"InkBetweenSamples", blockImage({60, 44}, QRect(1, 1, 5, 6)), true},
                      BlankCase{"TwentyFourBits",
                                blockImage({60, 44}, QRect(), QImage::Format_RGB888), false}),
    [](const auto &info) { return std::string(info.param.name); });

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

TEST_F(CaptureServiceTest, PicturesVisibleItemsTrimmedToTheirGlyphs) {
    addLaptop();
    const qint32 tools = launch(u"com.example.tools"_s);
    // Each new item goes to the left end.
    const quint64 visible = addItem(tools, 40.0, u"visible"_s);
    const quint64 wide = addItem(tools, 3000.0, u"wide"_s);
    const quint64 pushedOff = addItem(tools, 24.0, u"off"_s);
    settle();
    ASSERT_LT(entry(pushedOff).frame.center().x(), 0.0);

    capture({pushedOff, wide, visible});
    EXPECT_FALSE(service.cache().contains(idOf(pushedOff)));
    const QImage picture = service.cache().value(idOf(visible));
    ASSERT_FALSE(picture.isNull());
    EXPECT_LT(picture.width(), 80) << "narrower than the 40-point window at 2 pixels per point";
    EXPECT_LT(picture.height(), 48);
    EXPECT_FALSE(CaptureService::looksBlank(picture));
    EXPECT_EQ(CaptureService::trimmedToGlyph(picture), picture) << "nothing left to trim";

    desktop.permissions().setScreenRecordingGranted(false);
    desktop.items().setLength(visible, 60.0);
    settle();
    capture({visible});
    EXPECT_EQ(service.cache().value(idOf(visible)), picture) << "a failed capture keeps the old";
    service.clearCache();
    EXPECT_TRUE(service.cache().isEmpty());
}

struct BarScreenCase {
    const char *name;
    QPointF externalOrigin;
};

void PrintTo(const BarScreenCase &barCase, std::ostream *out) {
    *out << barCase.name;
}

class BarScreenEdge : public CaptureServiceTest,
                      public ::testing::WithParamInterface<BarScreenCase> {};

TEST_P(BarScreenEdge, VisibilityIsJudgedAgainstTheBarScreensLeftEdge) {
    addLaptop();
    ScreenDescription external;
    external.size = QSizeF(1920, 1080);
    external.origin = GetParam().externalOrigin;
    const DisplayId bar = desktop.arrangement().add(external);
    desktop.arrangement().setMainScreen(bar);
    const qint32 tools = launch(u"com.example.tools"_s);
    // Each new item goes to the left end.
    const quint64 visible = addItem(tools, 40.0, u"visible"_s);
    const quint64 wide = addItem(tools, 3000.0, u"wide"_s);
    const quint64 pushedOff = addItem(tools, 24.0, u"off"_s);
    settle();
    const double barMinX = external.origin->x();
    ASSERT_LT(entry(pushedOff).frame.center().x(), barMinX);
    ASSERT_TRUE(entry(visible).onScreen);

    capture({pushedOff, wide, visible}, barMinX);
    EXPECT_FALSE(service.cache().contains(idOf(pushedOff)));
    EXPECT_TRUE(service.cache().contains(idOf(visible)));
    EXPECT_EQ(counting.captures, 2) << "one window each for the visible and the wide item";
}

INSTANTIATE_TEST_SUITE_P(Cases, BarScreenEdge,
                         ::testing::Values(BarScreenCase{"LeftOfMain", QPointF(-1920, -98)},
                                           BarScreenCase{"RightOfMain", QPointF(1512, -98)}),
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
