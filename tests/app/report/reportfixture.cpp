#include "reportfixture.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

void PrintTo(const Phase &phase, std::ostream *out) {
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

ReportTest::ReportTest()
    : clock(QDateTime(QDate(2026, 3, 7), QTime(9, 15, 30), Qt::LocalTime)),
      desktop(clock,
              AppDescription{.bundleIdentifier = u"app.zorv.Zorv"_s, .localizedName = u"Zorv"_s}),
      workspace(desktop.model()), endpoint(server.url(u"/report"_s)) {
    network.setProxy(QNetworkProxy::NoProxy);
    desktop.systemFacts().setBundleInfoString(u"CFBundleShortVersionString"_s, u"1.4.2"_s);
    desktop.systemFacts().setBundleInfoString(u"CFBundleVersion"_s, u"142"_s);
}

ReportProblem::Config ReportTest::config() {
    ReportProblem::Config config;
    config.appName = u"Zorv"_s;
    config.appToken = token;
    config.endpoint = endpoint;
    config.installID = [] { return u"INSTALL-1"_s; };
    config.diagnostics = [this] { return diagnostics; };
    config.record = [this](const QString &line) { records.append(line); };
    config.consent = consent;
    config.supportEmail = supportEmail;
    return config;
}

ReportProblem::Services ReportTest::services() {
    return {clock,
            network,
            desktop.systemFacts(),
            desktop.fileViewer(),
            workspace,
            desktopFolder.path(),
            serialise};
}

std::unique_ptr<ReportProblem::Model> ReportTest::makeModel(const QString &text) {
    return std::make_unique<ReportProblem::Model>(config(), services(), draft, text);
}

bool ReportTest::waitWhileSending(const ReportProblem::Model &model) {
    return QTest::qWaitFor(
        [&] { return !std::holds_alternative<ReportProblem::Sending>(model.phase()); }, 5000);
}

QStringList ReportTest::desktopFiles() const {
    return QDir(desktopFolder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray ReportTest::readDesktopFile(const QString &name) const {
    QFile file(desktopFolder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace zorv::testing
