#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kNote =
    u"No display: running offscreen (--sim-screenshots saves pictures of the displays).\n"_s;

struct Outcome {
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
};

// The real `zorv`, on a data folder of its own, in an environment without any display or
// platform choice, with `extra` added to it.
Outcome runZorv(const QTemporaryDir &work, const QStringList &arguments,
                const QList<std::pair<QString, QString>> &extra = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &variable :
         {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"ZORV_UPDATE_TEST_FEED"_s}) {
        environment.remove(variable);
    }
    environment.insert(u"HOME"_s, work.filePath(u"home"_s));
    environment.insert(u"XDG_DATA_HOME"_s, work.filePath(u"data"_s));
    for (const auto &[name, value] : extra) {
        environment.insert(name, value);
    }
    QProcess zorv;
    zorv.setProcessEnvironment(environment);
    zorv.start(QStringLiteral(ZORV_EXECUTABLE), arguments);
    Outcome run;
    if (!zorv.waitForFinished(60000)) {
        zorv.kill();
        zorv.waitForFinished(5000);
        ADD_FAILURE() << "zorv did not finish";
        return run;
    }
    run.exitCode = zorv.exitStatus() == QProcess::NormalExit ? zorv.exitCode() : -1;
    run.standardOutput = QString::fromUtf8(zorv.readAllStandardOutput());
    run.standardError = QString::fromUtf8(zorv.readAllStandardError());
    return run;
}

// Started from a terminal with no display, the program runs offscreen and says so in one line,
// for its help as for a whole run.
TEST(OffscreenFallbackTest, WithoutADisplayZorvRunsOffscreenAndSaysSo) {
    QTemporaryDir work;
    const Outcome help = runZorv(work, {u"--help"_s});
    EXPECT_EQ(help.exitCode, 0) << help.standardError.toStdString();
    EXPECT_TRUE(help.standardOutput.contains(u"--sim-screenshots"_s));
    // First, before anything Qt says, and once.
    EXPECT_TRUE(help.standardError.startsWith(kNote)) << help.standardError.toStdString();
    EXPECT_EQ(help.standardError.count(u"offscreen"_s), 1) << help.standardError.toStdString();

    const Outcome run = runZorv(work, {u"--sim-time"_s, u"fast"_s, u"--sim-run-for"_s, u"60"_s,
                                       u"--sim-screenshots"_s, work.filePath(u"pictures"_s)});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.startsWith(kNote)) << run.standardError.toStdString();
    EXPECT_TRUE(QFile::exists(work.filePath(u"pictures/final.png"_s)));
}

// A platform the user chose is kept, and nothing is said.
TEST(OffscreenFallbackTest, AChosenPlatformIsKept) {
    QTemporaryDir work;
    const Outcome help = runZorv(work, {u"--help"_s}, {{u"QT_QPA_PLATFORM"_s, u"minimal"_s}});
    EXPECT_EQ(help.exitCode, 0) << help.standardError.toStdString();
    EXPECT_FALSE(help.standardError.contains(u"offscreen"_s)) << help.standardError.toStdString();
}

} // namespace
} // namespace zorv
