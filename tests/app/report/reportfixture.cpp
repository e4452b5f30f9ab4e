#include "reportfixture.h"

#include "reportbuilder.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

void PrintTo(const Phase &phase, std::ostream *out) {
    if (const auto *sent = std::get_if<Sent>(&phase)) {
        *out << "sent(" << sent->id.toStdString() << ")";
    } else if (const auto *saved = std::get_if<Saved>(&phase)) {
        *out << "saved(" << saved->file.toStdString() << ", " << saved->why.toStdString() << ")";
    } else if (const auto *emailed = std::get_if<Emailed>(&phase)) {
        *out << "emailed(" << emailed->file.toStdString() << ")";
    } else if (std::holds_alternative<Writing>(phase)) {
        *out << "writing";
    } else {
        *out << "sending";
    }
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
    return ReportProblem::Services{
        .clock = clock,
        .network = network,
        .facts = desktop.systemFacts(),
        .fileViewer = desktop.fileViewer(),
        .workspace = workspace,
        .desktopFolder = desktopFolder.path(),
        .serialise = serialise,
    };
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
    QFile file(QDir(desktopFolder.path()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace zorv::testing
