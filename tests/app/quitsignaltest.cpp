#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct QuitSignal {
    const char *name;
    int number;
};

// Ctrl-C and `kill` quit the real program the way its Quit row does. Runs the `zorv` executable on
// its own data folder while it changes its stores every simulated second, and stops it with the
// signal in the middle of that.
class QuitSignalTest : public ::testing::TestWithParam<QuitSignal> {
protected:
    ~QuitSignalTest() override {
        if (zorv.state() != QProcess::NotRunning) {
            zorv.kill();
            zorv.waitForFinished(5000);
        }
    }

    void start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, work.filePath(u"home"_s));
        environment.insert(u"XDG_DATA_HOME"_s, work.filePath(u"data"_s));
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.remove(u"ZORV_UPDATE_TEST_FEED"_s);
        zorv.setProcessEnvironment(environment);
        zorv.start(QStringLiteral(ZORV_EXECUTABLE),
                   {u"--sim-time"_s, u"fast"_s, u"--sim-run-for"_s, u"86400"_s,
                    u"--sim-churn-stores"_s, u"--sim-screenshots"_s, work.filePath(u"pictures"_s),
                    u"--sim-dump"_s, work.filePath(u"dump.json"_s)});
        ASSERT_TRUE(zorv.waitForStarted(5000));
    }

    // The burst numbers printed so far ("churn N" lines), the last one last.
    QList<qint64> bursts() {
        printed += zorv.readAllStandardOutput();
        QList<qint64> numbers;
        static const QRegularExpression line(u"^churn (\\d+)$"_s,
                                             QRegularExpression::MultilineOption);
        for (auto match = line.globalMatch(QString::fromUtf8(printed)); match.hasNext();) {
            numbers.append(match.next().captured(1).toLongLong());
        }
        return numbers;
    }

    // A JSON file under the work folder; empty when it is missing or unreadable.
    [[nodiscard]] QJsonObject json(const QString &path) const {
        QFile file(work.filePath(path));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    QTemporaryDir work;
    QProcess zorv;
    QByteArray printed;
};

TEST_P(QuitSignalTest, WritesTheStoresThePicturesAndTheDumpAndExitsCleanly) {
    start();
    // A few bursts in, so that the last one is still waiting for its delayed write.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bursts().size() >= 3; }, 30000))
        << zorv.readAllStandardError().toStdString();
    ASSERT_EQ(::kill(pid_t(zorv.processId()), GetParam().number), 0);
    ASSERT_TRUE(zorv.waitForFinished(30000));
    EXPECT_EQ(zorv.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zorv.exitCode(), 0);

    const qint64 last = bursts().last();
    const auto aliases = json(u"data/Zorv/settings.json"_s).value(u"itemAliases"_s).toArray();
    const auto churned = std::find_if(aliases.begin(), aliases.end(), [](const QJsonValue &alias) {
        return alias[u"key"_s] == u"zorv-store-churn"_s;
    });
    ASSERT_NE(churned, aliases.end());
    EXPECT_EQ((*churned)[u"alias"_s].toString(), QString::number(last));
    EXPECT_EQ(json(u"data/Zorv/profiles.json"_s)[u"profiles"_s][0][u"name"_s].toString(),
              QString::number(last));
    EXPECT_TRUE(QFile::exists(work.filePath(u"pictures/final.png"_s)));
    EXPECT_FALSE(json(u"dump.json"_s).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest,
                         ::testing::Values(QuitSignal{"SIGTERM", SIGTERM},
                                           QuitSignal{"SIGINT", SIGINT}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
