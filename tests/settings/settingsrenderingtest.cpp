#include "generalpanemodel.h"
#include "settingsfixture.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "spacingpanemodel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Look {
    const char *name;
    bool dark;
};

// Draws the settings window in each look and keeps the pictures in the suite's build folder
// ("screenshots/<name>-<look>[@2x].png") for people to look at.
class SettingsRenderingTest : public ::testing::TestWithParam<Look>, protected SettingsFixture {
protected:
    SettingsRenderingTest() { mac.desktop().appearance().setDark(GetParam().dark); }

    QImage grab(const QString &name) {
        settle();
        QImage picture = controller.window()->grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        QDir().mkpath(folder);
        const QString scale = controller.window()->devicePixelRatio() > 1 ? u"@2x"_s : QString();
        picture.save(folder + u'/' + name + u'-' + QString::fromLatin1(GetParam().name) + scale +
                     u".png"_s);
        return picture;
    }

    SettingsWindowController controller{engine, view, services, mac.desktop().appWindows()};
};

TEST_P(SettingsRenderingTest, GeneralPaneWithItsGuideAndTheImportConfirmation) {
    controller.show();
    settle();
    const QImage pane = grab(u"settings-general"_s);
    EXPECT_EQ(pane.size(), QSize(980, 700) * controller.window()->devicePixelRatio());

    mac.advance(0.4);
    ASSERT_FALSE(controller.model()->guidePane().isEmpty());
    grab(u"settings-guide-general"_s);
    controller.model()->finishGuide();

    QObject *general = controller.window()->property("paneItem").value<QObject *>();
    ASSERT_TRUE(general);
    panels.userWillChoose(u"/nowhere/setup.json"_s);
    auto *model = general->findChild<GeneralPaneModel *>();
    ASSERT_TRUE(model);
    model->chooseImport();
    grab(u"settings-import-confirm"_s);
    model->cancelImport();
}

TEST_P(SettingsRenderingTest, SpacingPaneWithTheLogOutCard) {
    view.markGuideSeen(u"spacing"_s);
    view.setPendingSettingsPane(u"spacing"_s);
    controller.show();
    settle();
    grab(u"settings-spacing-off"_s);
    auto *spacing = controller.window()
                        ->property("paneItem")
                        .value<QObject *>()
                        ->findChild<SpacingPaneModel *>();
    ASSERT_TRUE(spacing);
    spacing->setOverriding(true);
    spacing->setPoints(12);
    mac.desktop().scripting().setOutcome(SimScripting::Outcome::Refused);
    spacing->logOut();
    settle();
    EXPECT_TRUE(spacing->needsLogout());
    EXPECT_TRUE(spacing->logoutRefused());
    grab(u"settings-spacing-logout"_s);
}

INSTANTIATE_TEST_SUITE_P(Looks, SettingsRenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
