#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QJsonObject click(double at, double x, double y) {
    return {{u"at"_s, at},
            {u"do"_s, u"input"_s},
            {u"input"_s, u"leftClick"_s},
            {u"x"_s, x},
            {u"y"_s, y}};
}

// The shipped laptop, where a user who has seen the settings window's guides makes a rule in the
// Triggers pane with the mouse: the condition and the application are picked from pop-up lists,
// each opened by the click before, one simulated second apart; Return saves the rule.
QByteArray ruleMadeWithPickers() {
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(
        u"events"_s,
        QJsonArray{
            click(4, 373, 322),  // the rail's Triggers
            click(5, 1160, 420), // Add Rule
            click(6, 976, 318),  // the Condition picker
            click(7, 976, 504),  // "An app is in front…"
            click(8, 976, 366),  // the App picker, in the row that just appeared
            click(9, 998, 500),  // Safari
            QJsonObject{
                {u"at"_s, 10}, {u"do"_s, u"input"_s}, {u"input"_s, u"key"_s}, {u"keyCode"_s, 36}},
        });
    return QJsonDocument(scenario).toJson();
}

// Every file Zorv stored, by its path in Zorv's folder; the random identities of what it made
// are left out.
QMap<QString, QByteArray> storedFiles(const QString &folder) {
    static const QRegularExpression identity(
        u"[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}"_s);
    QMap<QString, QByteArray> files;
    QDirIterator entries(folder, QDir::Files, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        QFile file(entries.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray content = file.readAll();
        if (file.fileName().endsWith(u".json"_s)) {
            content = QString::fromUtf8(content).replace(identity, u"<id>"_s).toUtf8();
        }
        files.insert(QDir(folder).relativeFilePath(file.fileName()), content);
    }
    return files;
}

// Runs the real `zorv` in fast time on a fresh data folder of its own, playing `scenarioFile`
// with the settings window open, and returns what it stored.
QMap<QString, QByteArray> playFast(const QString &scenarioFile) {
    const QTemporaryDir work;
    const QString folder = work.filePath(u"data/Zorv"_s);
    EXPECT_TRUE(QDir().mkpath(folder));
    QFile settings(folder + u"/settings.json"_s);
    EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(R"({"onboardingCompleted": true, "seenPaneGuides": ["general", "triggers"]})");
    settings.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"ZORV_UPDATE_TEST_FEED"_s,
                                    u"QT_QPA_UPDATE_IDLE_TIME"_s, u"QSG_RENDER_LOOP"_s}) {
        environment.remove(variable);
    }
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, work.filePath(u"home"_s));
    environment.insert(u"XDG_DATA_HOME"_s, work.filePath(u"data"_s));
    QProcess zorv;
    zorv.setProcessEnvironment(environment);
    zorv.start(QStringLiteral(ZORV_EXECUTABLE),
               {u"--sim-time"_s, u"fast"_s, u"--sim-scenario"_s, scenarioFile, u"--open-settings"_s,
                u"--sim-run-for"_s, u"15"_s});
    if (!zorv.waitForFinished(60000)) {
        zorv.kill();
        zorv.waitForFinished(5000);
        ADD_FAILURE() << "zorv did not finish";
        return {};
    }
    EXPECT_EQ(zorv.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zorv.exitCode(), 0) << zorv.readAllStandardError().toStdString();
    return storedFiles(folder);
}

// In fast time a pop-up list a click opens is in place for the next click, however little wall
// time passes between them: the same scenario stores the same files in every run, and they hold
// the application picked.
TEST(FastTimeRepeatTest, AScenarioPickingFromPopUpsStoresTheSameFilesInEveryRun) {
    const QTemporaryDir work;
    const QString scenarioFile = work.filePath(u"rule-with-pickers.json"_s);
    QFile scenario(scenarioFile);
    ASSERT_TRUE(scenario.open(QIODevice::WriteOnly));
    scenario.write(ruleMadeWithPickers());
    scenario.close();

    const QMap<QString, QByteArray> first = playFast(scenarioFile);
    const QByteArray triggers = first.value(u"triggers.json"_s);
    const QJsonArray rules = QJsonDocument::fromJson(triggers)[u"rules"_s].toArray();
    ASSERT_EQ(rules.size(), 1) << triggers.toStdString();
    EXPECT_EQ(rules.at(0)[u"condition"_s][u"appFrontmost"_s][u"_0"_s].toString(),
              u"com.apple.Safari"_s);
    for (int run = 2; run <= 5; ++run) {
        SCOPED_TRACE(run);
        const QMap<QString, QByteArray> again = playFast(scenarioFile);
        EXPECT_EQ(again.keys(), first.keys());
        for (auto file = first.cbegin(); file != first.cend(); ++file) {
            EXPECT_EQ(again.value(file.key()).toStdString(), file.value().toStdString())
                << file.key().toStdString();
        }
    }
}

} // namespace
} // namespace zorv
