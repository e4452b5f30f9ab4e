#include "fastzorvrun.h"
#include "look/zorvstyle.h"
#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The pixels of `color` in the part of `picture` right of `left`.
int pixelsOf(const QImage &picture, QColor color, int left) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = left; x < image.width(); ++x) {
            count += line[x] == color.rgb() ? 1 : 0;
        }
    }
    return count;
}

// In fast time an animation that starts while nothing else is going on still runs its course:
// on the Spacing pane of a Mac on the system's spacing, the custom spacing switched on at the
// first second makes the log-out card fade in, and the picture at the end of the run shows it in
// full, its "Log Out Now…" button filled with the honey of the kit.
TEST(FastTimeAnimationTest, TheLogOutCardFadesInFullyWhileNothingElseHappens) {
    QJsonObject laptop = shippedScenario(u"laptop"_s);
    laptop.insert(u"preferences"_s, QJsonObject{});
    // The "Custom spacing" switch, on the Spacing pane of the settings window in the middle of the
    // screen.
    laptop.insert(u"events"_s, QJsonArray{clickAt(1, 1187, 322)});
    FastZorvRun run;
    run.storeSettings(R"({"onboardingCompleted": true, "seenPaneGuides": ["spacing"]})");
    run.useScenario(laptop);
    // Over before the pane's "SAVED" tick fades out, 1.6 s after the change: an animation
    // starting brings every running one up to the time of the clock.
    run.start({u"--sim-run-for"_s, u"2"_s, u"zorv://settings/spacing"_s});
    ASSERT_TRUE(run.finishBy(QDateTime::currentMSecsSinceEpoch() + 60000))
        << run.errors().toStdString();
    EXPECT_EQ(run.exitCode(), 0) << run.errors().toStdString();
    const QJsonObject dump = run.dump();
    EXPECT_EQ(dump.value(u"simulatedSeconds"_s).toDouble(), 2);

    // Right of the window's rail, whose selected row is honey too.
    const QJsonObject frame = dump.value(u"windows"_s)[0][u"frame"_s].toObject();
    ASSERT_FALSE(frame.isEmpty());
    const int paneLeft = int(frame.value(u"x"_s).toDouble()) + 214;
    const QImage picture = run.finalPicture();
    ASSERT_FALSE(picture.isNull());
    const QColor honey = ZorvStyle::resolve(ZorvStyle::Role::Honey, u"light"_s);
    EXPECT_GT(pixelsOf(picture, honey, paneLeft), 2000);
}

} // namespace
} // namespace zorv
