#pragma once

#include "loopbackhttpserver.h"
#include "manualclock.h"
#include "reportbuilder.h"
#include "reportmodel.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <QNetworkAccessManager>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zorv::ReportProblem {
void PrintTo(const Phase &phase, std::ostream *out);
}

namespace zorv::testing {

// A report model's world: a simulated Mac on a manual clock at 09:15 on 7 March 2026, a real
// network stack without proxy that talks to a loopback server, an empty Desktop folder, and the
// record lines kept.
class ReportTest : public ::testing::Test {
protected:
    static inline const QString token = QStringLiteral("zr1_test_0123456789abcdef01234567");
    static inline const QString fallbackName = QStringLiteral("Zorv-report-2026-03-07-0915.txt");

    ReportTest();

    [[nodiscard]] ReportProblem::Config config();
    [[nodiscard]] ReportProblem::Services services();
    [[nodiscard]] std::unique_ptr<ReportProblem::Model> makeModel(const QString &text);
    // Runs the event loop until the model has left Sending; real sockets take real time.
    bool waitWhileSending(const ReportProblem::Model &model);
    [[nodiscard]] QStringList desktopFiles() const;
    [[nodiscard]] QByteArray readDesktopFile(const QString &name) const;

    ManualClock clock;
    SimulatedDesktop desktop;
    SimWorkspace workspace;
    QNetworkAccessManager network;
    LoopbackHttpServer server;
    QTemporaryDir desktopFolder;
    ReportProblem::Draft draft;
    QStringList records;
    QString diagnostics = QStringLiteral("Trusted   true\n");
    std::optional<ReportProblem::Consent> consent;
    std::optional<QString> supportEmail;
    QUrl endpoint;
    ReportProblem::Serialiser serialise = &ReportProblem::Builder::serialise;
};

} // namespace zorv::testing
