#pragma once

#include "loopbackhttpserver.h"
#include "manualclock.h"
#include "reportbuilder.h"
#include "reportmodel.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zorv::ReportProblem {

inline void PrintTo(const Phase &phase, std::ostream *out) {
    std::visit(
        [out](const auto &value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Sent>) {
                *out << "sent(" << value.id.toStdString() << ")";
            } else if constexpr (std::is_same_v<T, Saved>) {
                *out << "saved(" << value.file.toStdString() << ", " << value.why.toStdString()
                     << ")";
            } else if constexpr (std::is_same_v<T, Emailed>) {
                *out << "emailed(" << value.file.toStdString() << ")";
            } else {
                *out << (std::is_same_v<T, Writing> ? "writing" : "sending");
            }
        },
        phase);
}

} // namespace zorv::ReportProblem

namespace zorv::testing {

// A report model's world: a simulated Mac on a manual clock at 09:15 on 7 March 2026, a real
// network stack without proxy that talks to a loopback server, an empty Desktop folder, and the
// record lines kept.
class ReportTest : public ::testing::Test {
protected:
    static inline const QString token = QStringLiteral("zr1_test_0123456789abcdef01234567");
    static inline const QString fallbackName = QStringLiteral("Zorv-report-2026-03-07-0915.txt");

    ReportTest()
        : clock(QDateTime(QDate(2026, 3, 7), QTime(9, 15, 30), Qt::LocalTime)),
          desktop(clock, AppDescription{.bundleIdentifier = QStringLiteral("app.zorv.Zorv"),
                                        .localizedName = QStringLiteral("Zorv")}),
          workspace(desktop.model()), endpoint(server.url(QStringLiteral("/report"))) {
        network.setProxy(QNetworkProxy::NoProxy);
        desktop.systemFacts().setBundleInfoString(QStringLiteral("CFBundleShortVersionString"),
                                                  QStringLiteral("1.4.2"));
        desktop.systemFacts().setBundleInfoString(QStringLiteral("CFBundleVersion"),
                                                  QStringLiteral("142"));
    }

    [[nodiscard]] ReportProblem::Config config() {
        ReportProblem::Config config;
        config.appName = QStringLiteral("Zorv");
        config.appToken = token;
        config.endpoint = endpoint;
        config.installID = [] { return QStringLiteral("INSTALL-1"); };
        config.diagnostics = [this] { return diagnostics; };
        config.record = [this](const QString &line) { records.append(line); };
        config.consent = consent;
        config.supportEmail = supportEmail;
        return config;
    }
    [[nodiscard]] ReportProblem::Services services() {
        return {clock,
                network,
                desktop.systemFacts(),
                desktop.fileViewer(),
                workspace,
                desktopFolder.path(),
                serialise};
    }
    [[nodiscard]] std::unique_ptr<ReportProblem::Model> makeModel(const QString &text) {
        return std::make_unique<ReportProblem::Model>(config(), services(), draft, text);
    }
    // Runs the event loop until the model has left Sending; real sockets take real time.
    static bool waitWhileSending(const ReportProblem::Model &model) {
        return QTest::qWaitFor(
            [&] { return !std::holds_alternative<ReportProblem::Sending>(model.phase()); }, 5000);
    }
    [[nodiscard]] QStringList desktopFiles() const {
        return QDir(desktopFolder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    [[nodiscard]] QByteArray readDesktopFile(const QString &name) const {
        QFile file(desktopFolder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

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
