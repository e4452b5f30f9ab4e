#pragma once

#include "reportconfig.h"

#include <functional>

namespace zorv {

class Accessibility;

// This application's problem-report configuration: its name, token and endpoint, the install id
// and diagnostics read from the data folder, and its own report window content.
class ZorvReportConfig {
public:
    ZorvReportConfig() = delete;

    static inline const QString appToken = QStringLiteral("zr1_zorv_5c0e19a7b2d4f8636e0a4b91");
    static inline const QString endpoint = QStringLiteral("https://reports.brindlecot.com/report");
    // The window the application's report content lives in.
    static inline const QString contentUrl =
        QStringLiteral("qrc:/Zorv/Report/ZorvReportWindow.qml");

    // `accessibility` answers the diagnostics' trust line and must outlive the configuration;
    // `refreshDiagnostics` brings the engine's files up to date before they are read.
    [[nodiscard]] static ReportProblem::Config make(const QString &dataFolder,
                                                    const Accessibility &accessibility,
                                                    std::function<void()> refreshDiagnostics);
};

} // namespace zorv
