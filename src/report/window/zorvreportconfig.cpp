#include "zorvreportconfig.h"

#include "accessibility.h"
#include "installid.h"
#include "reportdiagnostics.h"

using namespace Qt::StringLiterals;

namespace zorv {

ReportProblem::Config ZorvReportConfig::make(const QString &dataFolder,
                                             const Accessibility &accessibility,
                                             std::function<void()> refreshDiagnostics) {
    ReportProblem::Config config;
    config.appName = u"Zorv"_s;
    config.appToken = appToken;
    config.endpoint = QUrl(endpoint);
    config.installID = [dataFolder] { return InstallID::value(dataFolder); };
    config.diagnostics = [dataFolder, &accessibility,
                          refreshDiagnostics = std::move(refreshDiagnostics)] {
        if (refreshDiagnostics) {
            refreshDiagnostics();
        }
        return ReportDiagnostics::snapshot(dataFolder, accessibility.isProcessTrusted());
    };
    config.accent = QColor::fromRgb(231, 154, 43);
    config.onAccent = QColor::fromRgb(27, 20, 16);
    config.content = QUrl(contentUrl);
    config.contentSize = QSize(560, 470);
    config.example = u"EX: I turned on my Home rule and two icons stayed hidden."_s;
    return config;
}

} // namespace zorv
