#include "about/aboutpanel.h"
#include "appicon/zorvappicon.h"
#include "kit/zorvkit.h"
#include "manualclock.h"
#include "simulateddesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The about panel on a simulated laptop (visible area 1512 × 958 below the 24-point bar).
class AboutPanelTest : public ::testing::Test {
protected:
    AboutPanelTest() {
        desktop.arrangement().add(ScreenDescription{});
        ZorvKit::install(engine, desktop.appearance(), clock);
        EXPECT_TRUE(QDir().mkpath(pictures));
    }

    [[nodiscard]] QString text(const char *name) const {
        auto *item = panel.window()->findChild<QQuickItem *>(QString::fromLatin1(name));
        return item ? item->property("text").toString() : u"(missing)"_s;
    }

    const QString pictures = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ManualClock clock;
    SimulatedDesktop desktop{clock, AppDescription{}};
    QQmlEngine engine;
    QList<QUrl> opened;
    int activations = 0;
    AboutPanel panel{Build(BuildStamp{u"3f2a9c1d0e4b"_s, u"s"_s, {}, u"main"_s, {}},
                           BundleFacts{u"app.zorv.Zorv"_s, u"1.4"_s, u"14"_s, u"Zorv"_s}),
                     AboutPanel::Services{
                         .engine = engine,
                         .windows = desktop.appWindows(),
                         .icon = ZorvAppIcon::image(512),
                         .openUrl = [this](const QUrl &url) { opened.append(url); },
                         .activateApp = [this] { ++activations; },
                     }};
};

TEST_F(AboutPanelTest, ShowsNameVersionBuildAndCreditsCentred) {
    panel.show();
    ASSERT_TRUE(panel.window());
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(text("aboutName"), u"Zorv"_s);
    EXPECT_EQ(text("aboutVersion"), u"Version 1.4 (3f2a9c1d0e4b)"_s);
    EXPECT_EQ(text("aboutCredits"),
              u"A menu bar that keeps only what you want.\nNo telemetry. No subscription.\n\nby "
              u"Brindlecot"_s);
    EXPECT_EQ(text("aboutProductLink"), u"zorv.app"_s);
    EXPECT_EQ(text("aboutMakerLink"), u"brindlecot.com"_s);

    const QList<SimAppWindow *> windows = desktop.appWindows().windows();
    ASSERT_EQ(windows.size(), 1);
    const WindowRecord &record = windows[0]->record();
    EXPECT_TRUE(record.visible && record.key);
    EXPECT_EQ(record.frame.center(), QPointF(756, 503));
    EXPECT_EQ(record.frame.width(), AboutPanel::panelWidth);

    // A second show brings the same panel forward.
    windows[0]->userCloses();
    panel.show();
    EXPECT_EQ(desktop.appWindows().windows().size(), 1);
    EXPECT_TRUE(windows[0]->record().visible);
    EXPECT_EQ(activations, 2);
}

TEST_F(AboutPanelTest, LinksOpenTheirSites) {
    panel.show();
    for (const char *name : {"aboutProductLink", "aboutMakerLink"}) {
        auto *link = panel.window()->findChild<QQuickItem *>(QString::fromLatin1(name));
        ASSERT_TRUE(link) << name;
        QMetaObject::invokeMethod(link, "activated");
    }
    EXPECT_EQ(opened, (QList<QUrl>{AboutContent::productUrl, AboutContent::makerUrl}));
}

TEST_F(AboutPanelTest, DrawsInLightAndDark) {
    for (const bool dark : {false, true}) {
        desktop.appearance().setDark(dark);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.window()));
        const QImage picture = panel.window()->grabWindow();
        const qreal ratio = panel.window()->devicePixelRatio();
        EXPECT_EQ(picture.width(), qRound(AboutPanel::panelWidth * ratio));
        EXPECT_TRUE(picture.save(
            pictures + u"/about-%1-%2x.png"_s.arg(dark ? u"dark"_s : u"light"_s).arg(ratio)));
        // The background follows the appearance.
        EXPECT_EQ(qGray(picture.pixel(2, 2)) < 128, dark);
    }
}

} // namespace
} // namespace zorv
