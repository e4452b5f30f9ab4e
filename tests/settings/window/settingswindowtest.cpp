#include "appwindow.h"
#include "generalpanemodel.h"
#include "look/hexcolor.h"
#include "modelprofiles.h"
#include "profilelistmodel.h"
#include "profilespanemodel.h"
#include "settingsfixture.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class SettingsWindowTest : public ::testing::Test, protected SettingsFixture {
protected:
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(controller.window(), Qt::Key(key), modifiers);
        settle();
    }
    void type(const char *text) {
        for (const char *c = text; *c; ++c) {
            QTest::keyClick(controller.window(), *c);
        }
        settle();
    }
    [[nodiscard]] bool guideShown() const {
        return controller.window()->property("guideShown").toBool();
    }
    // Looks through the drawn items, where a repeater's rows are.
    [[nodiscard]] QQuickItem *findItem(const QString &name, QQuickItem *in = nullptr) const {
        in = in ? in : controller.window()->contentItem();
        if (in->objectName() == name) {
            return in;
        }
        for (QQuickItem *child : in->childItems()) {
            if (QQuickItem *found = findItem(name, child)) {
                return found;
            }
        }
        return nullptr;
    }
    [[nodiscard]] QObject *paneItem() const {
        return controller.window()->property("paneItem").value<QObject *>();
    }
    // Clicks the item's centre; `thenSettle` false leaves the clock where it is.
    void click(const QString &objectName, bool thenSettle = true) {
        auto *item = controller.window()->findChild<QQuickItem *>(objectName);
        ASSERT_TRUE(item) << objectName.toStdString();
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(controller.window(), Qt::LeftButton, {}, centre.toPoint());
        if (thenSettle) {
            settle();
        } else {
            QCoreApplication::processEvents();
        }
    }

    SettingsWindowController controller{engine, view, services, mac.desktop().appWindows()};
};

TEST_F(SettingsWindowTest, ShowsOnTheScreenAtItsSizeAndEscapeOnlyOrdersItOut) {
    EXPECT_EQ(controller.paneForUpdate(), std::nullopt);
    view.markGuideSeen(u"general"_s);
    controller.show();
    settle();
    ASSERT_TRUE(controller.window());
    EXPECT_TRUE(controller.appWindow()->isVisible());
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_EQ(controller.appWindow()->contentSize(), QSizeF(980, 700));
    EXPECT_EQ(controller.paneForUpdate(), u"general"_s);

    press(Qt::Key_Escape);
    EXPECT_FALSE(controller.appWindow()->isVisible());
    EXPECT_FALSE(controller.window()->isVisible());
    EXPECT_EQ(controller.paneForUpdate(), std::nullopt);

    QQuickWindow *first = controller.window();
    controller.open(SettingsPane::general);
    settle();
    EXPECT_EQ(controller.window(), first);
    EXPECT_TRUE(controller.appWindow()->isVisible());
}

TEST_F(SettingsWindowTest, TheGuideCardTakesEscapeBeforeTheWindowAndIgnoresReturn) {
    controller.show();
    settle();
    mac.advance(0.4);
    ASSERT_TRUE(guideShown());
    press(Qt::Key_Return);
    EXPECT_TRUE(guideShown()) << "only Done and Escape close the card";
    EXPECT_FALSE(view.hasSeenGuide(u"general"_s));
    press(Qt::Key_Escape);
    EXPECT_FALSE(guideShown());
    EXPECT_TRUE(view.hasSeenGuide(u"general"_s)) << "Escape is the card's Done";
    EXPECT_TRUE(controller.appWindow()->isVisible());

    click(u"guideButton"_s);
    EXPECT_TRUE(guideShown());
    press(Qt::Key_Escape);
    EXPECT_FALSE(guideShown());
    EXPECT_TRUE(controller.appWindow()->isVisible());
}

// Replacing the setup takes a click on "Import Setup": Return and Command-Return leave the
// question up, and while the import is committed Escape does not close the window.
TEST_F(SettingsWindowTest, TheImportConfirmationTakesEscapeAndAClickButNoReturn) {
    view.markGuideSeen(u"general"_s);
    controller.show();
    settle();
    QTemporaryDir folder;
    const QString path = folder.filePath(u"setup.json"_s);
    // The Backup card is below the fold: its buttons are pressed through the pane's model.
    auto *general = paneItem()->findChild<GeneralPaneModel *>();
    ASSERT_TRUE(general);
    panels.userWillChoose(path);
    general->exportSetup();
    settle();
    ASSERT_TRUE(QFile::exists(path));

    const auto backups = [&] {
        return QDir(model.backupsFolder()).entryList({u"before-import-*"_s}, QDir::Files).size();
    };
    const auto askToImport = [&] {
        panels.userWillChoose(path);
        general->chooseImport();
        settle();
        ASSERT_TRUE(paneItem()->property("sheetShown").toBool());
    };
    askToImport();
    press(Qt::Key_Escape);
    EXPECT_FALSE(paneItem()->property("sheetShown").toBool());
    EXPECT_TRUE(controller.appWindow()->isVisible());

    askToImport();
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        press(Qt::Key_Return, modifiers);
        EXPECT_TRUE(paneItem()->property("sheetShown").toBool());
    }
    EXPECT_EQ(backups(), 0);

    mac.engine().holdApplies(seconds(5));
    click(u"confirmAction"_s, false);
    ASSERT_TRUE(view.isImporting());
    QTest::keyClick(controller.window(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.appWindow()->isVisible()) << "Escape closed the window mid-import";
    mac.advance(5.1);
    EXPECT_FALSE(view.isImporting());
    EXPECT_EQ(backups(), 1);
    EXPECT_TRUE(controller.appWindow()->isVisible());
}

TEST_F(SettingsWindowTest, TheRenameFieldTakesReturnAndEscapeBeforeTheWindow) {
    view.markGuideSeen(u"profiles"_s);
    view.setPendingSettingsPane(u"profiles"_s);
    controller.show();
    settle();
    auto *pane = paneItem()->findChild<ProfilesPaneModel *>();
    ASSERT_TRUE(pane);
    pane->setNewName(u"Work"_s);
    pane->save();
    const QString id = idText(view.profiles()->rows().at(0).id);

    pane->beginRename(id);
    settle();
    type("!");
    press(Qt::Key_Escape);
    EXPECT_EQ(pane->renaming(), QString());
    EXPECT_EQ(view.profiles()->rows().at(0).name, u"Work"_s);
    EXPECT_TRUE(controller.appWindow()->isVisible()) << "Escape went to the field only";

    pane->beginRename(id);
    settle();
    type(" Day");
    press(Qt::Key_Return);
    EXPECT_EQ(pane->renaming(), QString());
    EXPECT_EQ(view.profiles()->rows().at(0).name, u"Work Day"_s);

    press(Qt::Key_Escape);
    EXPECT_FALSE(controller.appWindow()->isVisible());
}

TEST_F(SettingsWindowTest, ARailClickSelectsThePaneAndAPendingPaneIsShown) {
    for (const QString &pane : {u"general"_s, u"profiles"_s, u"search"_s}) {
        view.markGuideSeen(pane);
    }
    controller.show();
    settle();
    EXPECT_EQ(controller.model()->pane(), u"general"_s);
    EXPECT_EQ(paneItem()->property("title"), u"General"_s);

    // Each row takes the click on its whole width, not only on its words.
    const struct {
        QString pane;
        QString title;
    } rows[] = {{u"profiles"_s, u"Profiles"_s}, {u"search"_s, u"Search"_s}};
    for (const auto &row : rows) {
        QQuickItem *item = findItem(u"rail-"_s + row.pane);
        ASSERT_TRUE(item) << row.pane.toStdString();
        const QPointF nearRightEnd =
            item->mapToScene(QPointF(item->width() - 6, item->height() / 2));
        QTest::mouseClick(controller.window(), Qt::LeftButton, {}, nearRightEnd.toPoint());
        settle();
        EXPECT_EQ(controller.model()->pane(), row.pane);
        EXPECT_EQ(view.currentSettingsPane(), row.pane);
        EXPECT_EQ(paneItem()->property("title"), row.title);
    }

    view.setPendingSettingsPane(u"general"_s);
    settle();
    EXPECT_EQ(controller.model()->pane(), u"general"_s);
    EXPECT_EQ(paneItem()->property("title"), u"General"_s);
    EXPECT_EQ(view.pendingSettingsPane(), QString());
}

// The colour well's panel reports the colour pointed at, and takes Escape before the window.
TEST_F(SettingsWindowTest, TheColourPanelPicksAndTakesEscapeFirst) {
    view.markGuideSeen(u"appearance"_s);
    view.setPendingSettingsPane(u"appearance"_s);
    model.profileOps().setAppearance(Appearance{true, u"#336699"_s, 0.5, false, false, 0});
    controller.show();
    settle();
    click(u"colorWell"_s);
    QObject *well = controller.window()->findChild<QObject *>(u"colorWell"_s);
    ASSERT_TRUE(well);
    EXPECT_TRUE(well->property("panelShown").toBool());
    click(u"colorField"_s);
    const QString picked = model.settings().appearance.tintHex;
    EXPECT_NE(picked, u"#336699"_s);
    const std::optional<QColor> colour = HexColor::parse(picked);
    ASSERT_TRUE(colour);
    EXPECT_NEAR(colour->hsvHueF(), QColor(u"#336699"_s).hsvHueF(), 0.01) << picked.toStdString();
    EXPECT_EQ(model.settings().appearance.tintOpacity, 0.5);

    press(Qt::Key_Escape);
    EXPECT_FALSE(well->property("panelShown").toBool());
    EXPECT_TRUE(controller.appWindow()->isVisible());
    press(Qt::Key_Escape);
    EXPECT_FALSE(controller.appWindow()->isVisible());
}

} // namespace
} // namespace zorv
