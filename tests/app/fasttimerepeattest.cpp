#include "fastzorvrun.h"
#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The shipped laptop, where a user who has seen the settings window's guides makes a rule in the
// Triggers pane with the mouse: the condition and the application are picked from pop-up lists,
// each opened by the click before, one simulated second apart; Return saves the rule.
QJsonObject ruleMadeWithPickers() {
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"events"_s,
                    QJsonArray{
                        clickAt(4, 373, 322),  // the rail's Triggers
                        clickAt(5, 1160, 420), // Add Rule
                        clickAt(6, 976, 318),  // the Condition picker
                        clickAt(7, 976, 504),  // "An app is in front…"
                        clickAt(8, 976, 366),  // the App picker, in the row that just appeared
                        clickAt(9, 998, 500),  // Safari
                        keyAt(10, 36),
                    });
    return scenario;
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

// Runs the real `zorv` in fast time on a fresh data folder of its own, playing `scenario` with
// the settings window open, and returns what it stored.
QMap<QString, QByteArray> playFast(const QJsonObject &scenario) {
    FastZorvRun run;
    run.storeSettings(
        R"({"onboardingCompleted": true, "seenPaneGuides": ["general", "triggers"]})");
    run.useScenario(scenario);
    run.start({u"--open-settings"_s, u"--sim-run-for"_s, u"15"_s});
    if (!run.finishBy(QDateTime::currentMSecsSinceEpoch() + 60000)) {
        ADD_FAILURE() << "zorv did not finish";
        return {};
    }
    EXPECT_TRUE(run.exitedNormally());
    EXPECT_EQ(run.exitCode(), 0) << run.errors().toStdString();
    return storedFiles(run.dataFolder());
}

// In fast time a pop-up list a click opens is in place for the next click, however little wall
// time passes between them: the same scenario stores the same files in every run, and they hold
// the application picked.
TEST(FastTimeRepeatTest, AScenarioPickingFromPopUpsStoresTheSameFilesInEveryRun) {
    const QJsonObject scenario = ruleMadeWithPickers();
    const QMap<QString, QByteArray> first = playFast(scenario);
    const QByteArray triggers = first.value(u"triggers.json"_s);
    const QJsonArray rules = QJsonDocument::fromJson(triggers)[u"rules"_s].toArray();
    ASSERT_EQ(rules.size(), 1) << triggers.toStdString();
    EXPECT_EQ(rules.at(0)[u"condition"_s][u"appFrontmost"_s][u"_0"_s].toString(),
              u"com.apple.Safari"_s);
    for (int run = 2; run <= 5; ++run) {
        SCOPED_TRACE(run);
        const QMap<QString, QByteArray> again = playFast(scenario);
        EXPECT_EQ(again.keys(), first.keys());
        for (auto file = first.cbegin(); file != first.cend(); ++file) {
            EXPECT_EQ(again.value(file.key()).toStdString(), file.value().toStdString())
                << file.key().toStdString();
        }
    }
}

} // namespace
} // namespace zorv
