#include "appwindow.h"
#include "desktopdump.h"
#include "desktopsnapshot.h"
#include "generalpanemodel.h"
#include "reportmodel.h"
#include "scenariomac.h"
#include "wholeapptest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QStringList zorvMenus{u"Zorv"_s, u"Menu Bar"_s, u"Edit"_s, u"Window"_s, u"Help"_s};

// Zorv on the shipped laptop, its welcome tour done, with Finder in front: what the user opens
// from the status menu, a "zorv://" address or a hot key brings Zorv to the front.
class ZorvInFrontTest : public WholeAppTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(launch(tourDoneSettings, 2));
        ASSERT_EQ(front(), u"Finder"_s);
    }

    [[nodiscard]] QString front() {
        return DesktopSnapshot::take(mac()).frontmostApplication.value_or(QString());
    }
    // The bar's titles left of its items, the Apple menu as "Apple".
    [[nodiscard]] QStringList barMenus() {
        QStringList titles;
        for (const MenuTitle &title : DesktopSnapshot::take(mac()).screens.value(0).look.menus) {
            titles.append(title.kind == MenuTitle::Kind::AppleMenu ? u"Apple"_s : title.text);
        }
        return titles;
    }

    // Chooses the status menu's row, clicking Zorv's icon and then the row with the mouse.
    void chooseFromStatusMenu(const QString &title) {
        mac().userInput().click(zorvIconCentre(app, platform));
        driver.drain();
        ASSERT_TRUE(mac().menus().isTracking());
        const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), title);
        ASSERT_TRUE(row);
        click(*row);
    }

    // Saves the drawn screen in the build folder for people to look at.
    void savePicture(const QString &name) {
        const QImage picture = app.screenPicture();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString scale = picture.devicePixelRatio() > 1 ? u"@2x"_s : QString();
        EXPECT_TRUE(picture.save(folder + u"/"_s + name + scale + u".png"_s));
    }
};

// Each way in opens its window key and in front, makes Zorv the active application with its main
// menu in the bar, and the dump lists the window first.
TEST_F(ZorvInFrontTest, WhatOpensAWindowBringsZorvToTheFront) {
    using Open = std::function<void()>;
    using Shown = std::function<AppWindow *(DesktopApp &)>;
    const struct {
        const char *name;
        Open open;
        Shown shown;
        QString title;
    } cases[] = {
        {"settings address",
         [this] { mac().application().userOpensUrls({QUrl(u"zorv://settings/arrange"_s)}); },
         [](DesktopApp &a) {
             return a.settingsWindow() ? a.settingsWindow()->appWindow() : nullptr;
         },
         u"Zorv"_s},
        {"search shortcut",
         [this] {
             // Option-Command-F.
             mac().userInput().pressKey(3, EventFlags::option | EventFlags::command);
         },
         [](DesktopApp &a) -> AppWindow * {
             return a.searchPanel()->panel() ? &a.searchPanel()->panel()->server() : nullptr;
         },
         u"Search"_s},
        {"report row", [this] { chooseFromStatusMenu(u"Report a Problem…"_s); },
         [](DesktopApp &a) { return a.reports().appWindow(); }, u"Report a Problem"_s},
        {"settings row", [this] { chooseFromStatusMenu(u"Settings…"_s); },
         [](DesktopApp &a) {
             return a.settingsWindow() ? a.settingsWindow()->appWindow() : nullptr;
         },
         u"Zorv"_s},
    };
    const qint32 finder = mac().model().read(
        [](const DesktopState &state) { return state.frontmostProcessId.value_or(0); });
    for (const auto &[name, open, shown, title] : cases) {
        SCOPED_TRACE(name);
        mac().applications().activate(finder);
        driver.drain();
        EXPECT_EQ(front(), u"Finder"_s);
        EXPECT_EQ(barMenus().value(1), u"Finder"_s);

        open();
        driver.drain();
        AppWindow *window = shown(app);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isKeyWindow());
        EXPECT_EQ(front(), u"Zorv"_s);
        EXPECT_EQ(barMenus(), QStringList{u"Apple"_s} + zorvMenus);
        const QJsonArray windows = DesktopDump::toJson(platform).value(u"windows"_s).toArray();
        ASSERT_FALSE(windows.isEmpty());
        const QJsonObject first = windows.first().toObject();
        SCOPED_TRACE(QJsonDocument(windows).toJson().toStdString());
        EXPECT_EQ(first.value(u"application"_s), u"Zorv"_s);
        EXPECT_EQ(first.value(u"title"_s), title);
        EXPECT_EQ(first.value(u"key"_s), true);
        EXPECT_EQ(first.value(u"visible"_s), true);
        if (window->style().level == WindowLevel::normal) {
            savePicture(u"zorv-in-front-"_s + QString::fromLatin1(name).replace(u' ', u'-'));
        }
        window->close();
        driver.drain();
    }
}

// The export and import panels come up with Zorv in front, even when the user went to another
// application while Settings stayed open.
TEST_F(ZorvInFrontTest, TheSetupsFilePanelsBringZorvToTheFront) {
    mac().application().userOpensUrls({QUrl(u"zorv://settings/general"_s)});
    driver.drain();
    ASSERT_NE(app.settingsWindow(), nullptr);
    auto *pane = app.settingsWindow()
                     ->window()
                     ->property("paneItem")
                     .value<QObject *>()
                     ->findChild<GeneralPaneModel *>();
    ASSERT_NE(pane, nullptr);
    const qint32 finder = mac().model().read([](const DesktopState &state) {
        for (const AppRecord &record : state.apps) {
            if (record.localizedName == u"Finder"_s) {
                return record.processId;
            }
        }
        return 0;
    });
    for (const bool exporting : {true, false}) {
        SCOPED_TRACE(exporting);
        mac().applications().activate(finder);
        mac().filePanels().userWillChoose(std::nullopt);
        exporting ? pane->exportSetup() : pane->chooseImport();
        driver.drain();
        EXPECT_EQ(front(), u"Zorv"_s);
    }
}

// "Report a Problem…" shows the report window on the simulated screen, its dark strip as the
// title bar, and a send that fails leaves the report on the simulated Mac's Desktop.
TEST_F(ZorvInFrontTest, TheReportWindowIsOnTheScreenAndAFailedSendSavesToTheDesktop) {
    chooseFromStatusMenu(u"Report a Problem…"_s);
    AppWindow *window = app.reports().appWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->contentSize(), QSizeF(560, 470));
    // Centred across the screen, below the bar.
    const QRectF frame = window->frame();
    EXPECT_DOUBLE_EQ(frame.center().x(), 1512.0 / 2);
    EXPECT_LE(frame.bottom(), 982.0 - 37.0);
    // The strip is the title bar: only the close button lies over it, and it moves the window.
    const WindowStyle style = window->style();
    EXPECT_TRUE(style.titled && style.closable && style.closeButtonOnly);
    EXPECT_TRUE(style.fullSizeContentView && style.titlebarTransparent && style.titleHidden);
    EXPECT_TRUE(style.movableByWindowBackground);
    const QList<ScreenWindows::Placed> placed = app.screenWindows().placed();
    ASSERT_FALSE(placed.isEmpty());
    EXPECT_EQ(placed.last().window, app.reports().window()) << "drawn in front";
    for (const bool dark : {false, true}) {
        mac().appearance().setDark(dark);
        driver.drain();
        savePicture(dark ? u"report-window-on-screen-dark"_s : u"report-window-on-screen"_s);
    }

    // Nothing answers at this address: the send fails whatever the network.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, 9));
    const QString desktop = platform.fileSystem().hostPath(platform.fileSystem().desktopFolder());
    ASSERT_FALSE(QDir(desktop).exists());
    ReportProblem::Model *model = app.reports().model();
    model->setText(u"Two icons stayed hidden."_s);
    model->send();
    const bool ended = QTest::qWaitFor([&] {
        driver.run(seconds(1));
        return !std::holds_alternative<ReportProblem::Sending>(model->phase());
    });
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    ASSERT_TRUE(ended);
    const auto *saved = std::get_if<ReportProblem::Saved>(&model->phase());
    ASSERT_NE(saved, nullptr);
    const QStringList files = QDir(desktop).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first().startsWith(u"Zorv-report-"_s));
    EXPECT_EQ(saved->file, QDir(desktop).filePath(files.first()));
    EXPECT_EQ(front(), u"Zorv"_s);
}

} // namespace
} // namespace zorv
