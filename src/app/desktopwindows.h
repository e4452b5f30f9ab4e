#pragma once

#include "shellwindows.h"

#include <functional>

namespace zorv {

class SystemLog;

// The windows the shell opens, as far as this desktop has them: the problem-report window, the
// about panel, the search panel and the settings window are real; the welcome window is not built
// here yet, so asking for it writes "Zorv: the welcome window is not available in this build" to
// the system log and opens nothing.
class DesktopWindows final : public ShellWindows {
public:
    using ShowReport = std::function<void(const std::optional<QString> &sentReportId)>;

    DesktopWindows(SystemLog &log, std::function<void()> showAbout, ShowReport showReport,
                   std::function<void()> toggleSearchPanel,
                   std::function<void(std::optional<SettingsPane>)> openSettings)
        : m_log(log), m_showAbout(std::move(showAbout)), m_showReport(std::move(showReport)),
          m_toggleSearchPanel(std::move(toggleSearchPanel)),
          m_openSettings(std::move(openSettings)) {}

    void openSettings(std::optional<SettingsPane> pane) override;
    void showOnboarding() override;
    void showAbout() override;
    void showReport(const std::optional<QString> &sentReportId) override;
    void toggleSearchPanel() override;

private:
    void unavailable(const QString &window);

    SystemLog &m_log;
    std::function<void()> m_showAbout;
    ShowReport m_showReport;
    std::function<void()> m_toggleSearchPanel;
    std::function<void(std::optional<SettingsPane>)> m_openSettings;
};

} // namespace zorv
