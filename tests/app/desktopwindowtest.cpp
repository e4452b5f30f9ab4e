#include "desktopapp.h"
#include "manualclock.h"
#include "scenario/scenarioloader.h"
#include "simulatedplatform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Delegates are visual children, not always object children: search the item tree.
QQuickItem *findItem(QQuickItem *item, const QString &objectName) {
    if (item->objectName() == objectName) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, objectName)) {
            return found;
        }
    }
    return nullptr;
}

int pixelsOf(const QImage &image, const QColor &color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == color;
        }
    }
    return count;
}

// Loads the desktop window offscreen on the shipped laptop scenario and keeps its picture in the
// build folder (tests/app/screenshots/desktop-window.png) for people to look at. The drawn bar
// shows the bar's colour, the camera housing and the items' glyphs.
TEST(DesktopWindowTest, DrawsTheLaptopsMenuBar) {
    ManualClock clock;
    SimulatedPlatform platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false);
    DesktopApp app(platform, SimOptions{});
    ASSERT_TRUE(app.start());
    clock.settle();

    QQuickWindow *window = app.window();
    ASSERT_TRUE(window);
    const QImage picture = window->grabWindow();
    ASSERT_EQ(picture.size(), window->size() * window->effectiveDevicePixelRatio());
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(picture.save(folder + u"/desktop-window.png"_s));

    const QQuickItem *strip = findItem(window->contentItem(), u"menuBarStrip"_s);
    ASSERT_TRUE(strip);
    const QRectF area = strip->mapRectToScene(strip->boundingRect());
    const QImage bar = picture.copy(area.toAlignedRect());
    EXPECT_GT(pixelsOf(bar, QColor(236, 236, 236)), bar.width() * 10) << "the bar's colour";
    // The housing is 200 points wide and as tall as the bar.
    EXPECT_GT(pixelsOf(bar, Qt::black), int(150 * area.height() * strip->width() / 1512.0));
    // Dropbox's blue diamond.
    EXPECT_GT(pixelsOf(bar, QColor(u"#0061fe"_s)), 10);
}

} // namespace
} // namespace zorv
