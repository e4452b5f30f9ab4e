#include "lanemodel.h"
#include "modelsearch.h"
#include "scenariomac.h"
#include "settingswindowmodel.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kDropbox = u"com.getdropbox.dropbox"_s;

// Bundle identifier to name, as the icon cache keeps them in Zorv's folder.
QJsonObject rememberedNames() {
    QFile file(ZorvPaths::file(u"icon-names.json"_s));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

// How the app names each of the application's items that is not running, one per line.
std::string dormantNames(const AppModel &model, const QString &bundleID) {
    QStringList names;
    for (const MenuBarItem &item : model.items()) {
        if (item.isDormant && item.id.bundleID == bundleID) {
            names.append(ModelSearch::displayName(item));
        }
    }
    return names.join(u'\n').toStdString();
}

// The name and help text of each chip of the application in the Menu Bar Layout pane's lanes,
// one per line.
std::string chipTexts(DesktopApp &app, SimulatedMac &mac, const QString &bundleID) {
    app.openSettings(SettingsPane::arrange);
    mac.driver.drain();
    SettingsWindowController *settings = app.settingsWindow();
    if (!settings) {
        ADD_FAILURE() << "no settings window";
        return {};
    }
    settings->model()->finishGuide();
    mac.driver.drain();
    auto *pane = settings->window()->property("paneItem").value<QObject *>();
    if (!pane) {
        ADD_FAILURE() << "no layout pane";
        return {};
    }
    QStringList texts;
    for (const char *lane : {"shownLane", "hiddenLane", "alwaysHiddenLane"}) {
        auto *model =
            pane->property(lane).value<QObject *>()->property("lane").value<LaneModel *>();
        for (int row = 0; model && row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row);
            if (model->data(index, LaneModel::KeyRole).toString().startsWith(bundleID + u'#')) {
                texts << model->data(index, LaneModel::NameRole).toString()
                      << model->data(index, LaneModel::HelpRole).toString();
            }
        }
    }
    return texts.join(u'\n').toStdString();
}

// Dropbox quits on the laptop: its item stays in the layout, dormant, and the engine names it by
// its bundle identifier. The app still calls it by the name it ran under, and so does the next
// launch, which finds it not running. Rectangle, with the system's generic icon, has its name
// remembered all the same.
TEST(ScenarioNamesTest, AnApplicationThatQuitKeepsItsNameNowAndAtTheNextLaunch) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    {
        SimulatedMac mac(reachableLaptop(
            {QJsonObject{{u"at"_s, 120}, {u"do"_s, u"quit"_s}, {u"app"_s, kDropbox}}}));
        ASSERT_TRUE(mac.app.start());
        mac.run(150);
        EXPECT_EQ(dormantNames(*mac.app.model(), kDropbox), "Dropbox");
        const QJsonObject names = rememberedNames();
        EXPECT_EQ(names.value(kDropbox).toString().toStdString(), "Dropbox");
        EXPECT_EQ(names.value(u"com.knollsoft.Rectangle"_s).toString().toStdString(), "Rectangle");
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }

    SimulatedMac mac(reachableLaptop({}, {kDropbox}));
    ASSERT_TRUE(mac.app.start());
    mac.run(40);
    EXPECT_EQ(dormantNames(*mac.app.model(), kDropbox), "Dropbox");
    EXPECT_EQ(chipTexts(mac.app, mac, kDropbox), "Dropbox\nDropbox (not running)");
    EXPECT_EQ(rememberedNames().value(kDropbox).toString().toStdString(), "Dropbox");
}

} // namespace
} // namespace zorv
