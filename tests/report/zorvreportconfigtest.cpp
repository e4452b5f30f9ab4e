#include "zorvreportconfig.h"
#include "manualclock.h"
#include "simulateddesktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The diagnostics a report collects are read after the engine brought its files up to date.
TEST(ZorvReportConfigTest, TheEngineFilesAreBroughtUpToDateBeforeTheyAreRead) {
    const QTemporaryDir folder;
    ManualClock clock;
    AppDescription zorv;
    zorv.bundleIdentifier = u"app.zorv.Zorv"_s;
    SimulatedDesktop desktop(clock, zorv);
    int refreshes = 0;
    const ReportProblem::Config config =
        ZorvReportConfig::make(folder.path(), desktop.accessibility(), [&] {
            ++refreshes;
            QFile file(folder.filePath(u"diagnostics.json"_s));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(R"({"kind": "scan", "itemFramesAsOf": "now"})");
        });
    EXPECT_EQ(refreshes, 0) << "nothing is written before a report collects";
    const QString diagnostics = config.diagnostics();
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(diagnostics.contains(uR"({"itemFramesAsOf":"now","kind":"scan"})"_s))
        << diagnostics.toStdString();
}

} // namespace
} // namespace zorv
