#include "move/moveoffer.h"
#include "appicon/zorvappicon.h"
#include "appmodelharness.h"
#include "install/simfilesystem.h"
#include "install/simprocesslauncher.h"
#include "kit/zorvkit.h"
#include "move/movetoapplicationscontroller.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The offer on a laptop, for a copy downloaded into the user's Downloads folder.
class MoveOfferTest : public ::testing::Test {
protected:
    MoveOfferTest() {
        mac.desktop().arrangement().add(ScreenDescription{});
        ZorvKit::install(engine, mac.desktop().appearance(), clock);
        files.installBundle(downloaded);
        files.setRunningBundle(downloaded);
        controller.onDismissed = [this] { ++dismissals; };
        EXPECT_TRUE(QDir().mkpath(pictures));
    }

    [[nodiscard]] QQuickItem *item(const char *name) const {
        return controller.window()->findChild<QQuickItem *>(QString::fromLatin1(name));
    }
    [[nodiscard]] MoveOffer *offer() const { return controller.window()->findChild<MoveOffer *>(); }

    const QString downloaded = u"/Users/user/Downloads/Zorv.app"_s;
    const QString pictures = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud};
    QQmlEngine engine;
    QTemporaryDir disk;
    SimFileSystem files{disk.path()};
    SimProcessLauncher processes;
    int activations = 0;
    int terminations = 0;
    int dismissals = 0;
    MoveToApplicationsController controller{
        &mac.build(),
        {engine, mac.desktop().appWindows(), ZorvAppIcon::image(512),
         ApplicationsMove::Services{files, files, processes, [this] { ++terminations; }},
         [this] { ++activations; }}};
};

TEST_F(MoveOfferTest, OfferedOnlyToACopyOutsideApplicationsNotDeclined) {
    EXPECT_TRUE(MoveToApplicationsController::shouldOffer(mac.model(), files));
    files.setRunningBundle(u"/Users/user/Applications/Zorv.app"_s);
    EXPECT_FALSE(MoveToApplicationsController::shouldOffer(mac.model(), files));
    files.setRunningBundle(downloaded);
    mac.model().declineMoveToApplications();
    EXPECT_FALSE(MoveToApplicationsController::shouldOffer(mac.model(), files));
}

TEST_F(MoveOfferTest, NotNowRemembersTheRefusalAndContinues) {
    controller.show();
    ASSERT_TRUE(controller.window());
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(controller.window()->title(), u"Move Zorv"_s);
    ASSERT_EQ(mac.desktop().appWindows().windows().size(), 1);
    EXPECT_TRUE(mac.desktop().appWindows().windows().constFirst()->record().visible);
    EXPECT_EQ(item("moveMessage")->property("text").toString(),
              u"Zorv is running from your Downloads folder. From Applications it can update "
              u"itself and start at login. Your layout and settings stay exactly as they are."_s);
    EXPECT_EQ(item("moveNow")->property("text").toString(), u"Move to Applications"_s);

    QMetaObject::invokeMethod(item("moveLater"), "clicked");
    EXPECT_TRUE(mac.model().settings().moveToApplicationsDeclined);
    EXPECT_FALSE(controller.window());
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(terminations, 0);
}

TEST_F(MoveOfferTest, AFailedMoveShowsWhyAndAllowsAnotherTry) {
    ASSERT_FALSE(files.createFolder(u"/Applications"_s));
    ASSERT_FALSE(files.createFolder(u"/Users/user/Applications"_s));
    files.setReadOnly(u"/Applications"_s, true);
    files.setReadOnly(u"/Users/user/Applications"_s, true);
    for (const bool dark : {false, true}) {
        mac.desktop().appearance().setDark(dark);
        controller.show();
        offer()->move();
        EXPECT_FALSE(offer()->moving());
        EXPECT_TRUE(item("moveError")->isVisible());
        EXPECT_EQ(item("moveError")->property("text").toString(),
                  u"Couldn't move Zorv: Applications folder is not writable. You can drag "
                  u"Zorv.app to Applications yourself."_s);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        const QImage picture = controller.window()->grabWindow();
        // The window grew to show the failure.
        EXPECT_EQ(picture.height(),
                  qRound(controller.window()->contentItem()->childrenRect().height() *
                         controller.window()->devicePixelRatio()) +
                      qRound(52 * controller.window()->devicePixelRatio()))
            << "dark " << dark;
        EXPECT_TRUE(picture.save(
            pictures + u"/move-offer-failed-%1-%2x.png"_s.arg(dark ? u"dark"_s : u"light"_s)
                           .arg(controller.window()->devicePixelRatio())));
    }
    files.setReadOnly(u"/Users/user/Applications"_s, false);
    offer()->move();
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(files.exists(u"/Users/user/Applications/Zorv.app"_s));
    EXPECT_EQ(dismissals, 0);
}

} // namespace
} // namespace zorv
