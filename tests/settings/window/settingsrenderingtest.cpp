#include "generalpanemodel.h"
#include "look/zorvstyle.h"
#include "modelsearch.h"
#include "onboardingcontroller.h"
#include "profilelistmodel.h"
#include "profilespanemodel.h"
#include "searchpanemodel.h"
#include "settingsfixture.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "spacingpanemodel.h"
#include "steppedanimationdriver.h"
#include "stylepanemodel.h"
#include "symbols/symbolglyphs.h"
#include "welcomewindowmodel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QQuickItem>
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

    // The settings window's picture, which shows the look's espresso rail beside the paper of
    // the pane (at the rail's foot and the pane's top right corner, where nothing else is drawn)
    // unless a sheet shades it.
    QImage grab(const QString &name) {
        QImage picture = grab(*controller.window(), name);
        const QObject *pane = controller.window()->property("paneItem").value<QObject *>();
        if (controller.window()->property("guideShown").toBool() ||
            (pane && pane->property("sheetShown").toBool())) {
            return picture; // a sheet shades the whole window
        }
        const QString look = mac.desktop().appearance().effectiveAppearanceName();
        const qreal scale = controller.window()->devicePixelRatio();
        const QSize size = picture.size() / scale;
        const auto near = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
                   std::abs(a.blue() - b.blue()) <= 6;
        };
        const QColor rail = picture.pixelColor(QPoint(100, size.height() - 12) * scale);
        const QColor paper = picture.pixelColor(QPoint(size.width() - 6, 6) * scale);
        EXPECT_TRUE(near(rail, ZorvStyle::resolve(ZorvStyle::Role::Espresso, look)))
            << name.toStdString() << ": rail " << rail.name().toStdString();
        EXPECT_TRUE(near(paper, ZorvStyle::resolve(ZorvStyle::Role::Paper, look)))
            << name.toStdString() << ": pane " << paper.name().toStdString();
        return picture;
    }
    QImage grab(QQuickWindow &window, const QString &name) {
        settle();
        // Long enough for every transition of the kit to end.
        animations.step(1000);
        settle();
        QImage picture = window.grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        QDir().mkpath(folder);
        const QString scale = window.devicePixelRatio() > 1 ? u"@2x"_s : QString();
        picture.save(folder + u'/' + name + u'-' + QString::fromLatin1(GetParam().name) + scale +
                     u".png"_s);
        return picture;
    }

    // A build with a version, an icon and a data folder under the home folder, for the About
    // pane.
    static AboutFacts aboutFacts(SimWorkspace &workspace) {
        BuildStamp stamp;
        stamp.sha = u"3f2a9c1"_s;
        stamp.builtAt = u"2026-12-05T19:42:00Z"_s;
        BundleFacts bundle;
        bundle.version = u"1.4"_s;
        QImage icon(256, 256, QImage::Format_ARGB32_Premultiplied);
        icon.fill(QColor(u"#F0B24A"_s));
        return AboutFacts{.build = Build(stamp, bundle),
                          .icon = icon,
                          .dataFolder = u"/Users/ann/Library/Application Support/Zorv"_s,
                          .homeFolder = u"/Users/ann"_s,
                          .workspace = &workspace};
    }

    SteppedAnimationDriver animations;
    SettingsServices aboutServices{clock, panels, viewer, mac.desktop().scripting(),
                                   aboutFacts(mac.workspace())};
    SettingsWindowController controller{engine, view, aboutServices, mac.desktop().appWindows()};
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

    // The sync status row wears the iCloud checkmark, drawn from the kit's own symbols.
    view.settings()->setCloudSyncEnabled(true);
    this->model.setLastCloudSyncNote(u"Synced just now"_s);
    settle();
    auto *symbol = controller.window()->findChild<QQuickItem *>(u"syncStatusSymbol"_s);
    ASSERT_TRUE(symbol);
    EXPECT_TRUE(symbol->isVisible());
    EXPECT_EQ(symbol->property("name").toString(), u"checkmark.icloud"_s);
    EXPECT_TRUE(SymbolGlyphs::names().contains(symbol->property("name").toString()));
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

    // The card fades out over 0.18 s, easing out: past half its opacity half-way through.
    auto *card = controller.window()->findChild<QQuickItem *>(u"logoutCard"_s);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->opacity(), 1);
    spacing->revert();
    settle();
    animations.step(90);
    EXPECT_GT(card->opacity(), 0);
    EXPECT_LT(card->opacity(), 0.5);
    EXPECT_TRUE(card->isVisible());
    animations.step(100);
    EXPECT_EQ(card->opacity(), 0);
    EXPECT_FALSE(card->isVisible());
}

TEST_P(SettingsRenderingTest, ProfilesPaneEmptyFullAndRenaming) {
    view.markGuideSeen(u"profiles"_s);
    view.setPendingSettingsPane(u"profiles"_s);
    controller.show();
    settle();
    grab(u"settings-profiles-empty"_s);

    auto *pane = controller.window()
                     ->property("paneItem")
                     .value<QObject *>()
                     ->findChild<ProfilesPaneModel *>();
    ASSERT_TRUE(pane);
    for (const QString &name :
         {u"Work"_s, u"Home office with a long name that runs on"_s, u"Travel"_s}) {
        pane->setNewName(name);
        pane->save();
    }
    ProfileListModel &profiles = *view.profiles();
    const QString second = idText(profiles.rows().at(1).id);
    profiles.setShortcut(
        second, QVariantMap{{u"keyCode"_s, 18}, {u"modifiers"_s, int(KeyShortcut::kControl)}});
    profiles.setRemembersLook(idText(profiles.rows().at(2).id), false);
    pane->setNewName(u"Eve"_s);
    grab(u"settings-profiles"_s);

    pane->beginRename(second);
    grab(u"settings-profiles-renaming"_s);
    EXPECT_TRUE(controller.window()
                    ->property("paneItem")
                    .value<QObject *>()
                    ->property("sheetShown")
                    .toBool())
        << "Escape goes to the rename field first";
}

TEST_P(SettingsRenderingTest, WelcomePages) {
    OnboardingController onboarding(engine, view, mac.desktop().appWindows());
    mac.desktop().permissions().setAccessibilityTrusted(false);
    onboarding.show();
    settle();
    QQuickWindow &window = *onboarding.window();
    const QImage first = grab(window, u"welcome-1"_s);
    EXPECT_EQ(first.size(), QSize(560, 440) * window.devicePixelRatio());
    onboarding.model()->advance();
    grab(window, u"welcome-2"_s);
    mac.desktop().permissions().setAccessibilityTrusted(true);
    mac.advance(1);
    grab(window, u"welcome-2-trusted"_s);
    onboarding.model()->advance();
    grab(window, u"welcome-3"_s);
}

TEST_P(SettingsRenderingTest, StylePaneWithTheTintAndItsColourPanel) {
    view.markGuideSeen(u"appearance"_s);
    view.setPendingSettingsPane(u"appearance"_s);
    controller.show();
    grab(u"settings-style-off"_s);
    auto *paneItem = controller.window()->property("paneItem").value<QObject *>();
    ASSERT_TRUE(paneItem);
    auto *pane = paneItem->findChild<StylePaneModel *>();
    ASSERT_TRUE(pane);
    pane->setTintEnabled(true);
    pane->pickColor(QColor(u"#336699"_s));
    pane->setStrength(0.42);
    pane->setCornerRadius(6);
    pane->setHairline(true);
    grab(u"settings-style-tint"_s);
    auto *well = paneItem->findChild<QObject *>(u"colorWell"_s);
    ASSERT_TRUE(well);
    well->setProperty("panelShown", true);
    grab(u"settings-style-colour-panel"_s);
}

TEST_P(SettingsRenderingTest, SearchPaneWithAnAliasAndAHotKey) {
    mac.model().search().setAlias(u"box"_s, mac.model().items().at(0));
    mac.model().search().setItemHotkey(KeyShortcut(2, 0x180000), mac.model().items().at(2));
    view.markGuideSeen(u"search"_s);
    view.setPendingSettingsPane(u"search"_s);
    controller.show();
    auto *paneItem = controller.window()->property("paneItem").value<QObject *>();
    ASSERT_TRUE(paneItem);
    auto *pane = paneItem->findChild<SearchPaneModel *>();
    ASSERT_TRUE(pane);
    EXPECT_GT(pane->rowCount(), 2);
    grab(u"settings-search"_s);
}

TEST_P(SettingsRenderingTest, AboutPaneWithAnOfferedUpdate) {
    view.markGuideSeen(u"about"_s);
    view.setPendingSettingsPane(u"about"_s);
    model.setUpdateStatus(UpdateStatus{UpdateAvailability::upToDate(), false, false,
                                       clock.wallNow().addSecs(-600), true});
    controller.show();
    grab(u"settings-about"_s);
    model.setUpdateStatus(
        UpdateStatus{UpdateAvailability::available(u"2.1"_s), false, false, clock.wallNow(), true});
    model.setAutomaticUpdateChecks(true);
    grab(u"settings-about-update"_s);
}

INSTANTIATE_TEST_SUITE_P(Looks, SettingsRenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
