#pragma once

#include "shellwindows.h"

#include <functional>

namespace zorv {

class SystemLog;

// The windows the shell opens, as far as this desktop has them: the problem-report window, the
// about panel and the search panel are real; the settings window and the welcome window are not
// built here yet, so asking for one writes "Zorv: the <window> is not available in this build" to
// the system log and opens nothing.
class DesktopWindows final : public ShellWindows {
public:
    using ShowReport = std::function<void(const std::optional<QString> &sentReportId)>;

    DesktopWindows(SystemLog &log, std::function<void()> showAbout, ShowReport showReport,
                   std::function<void()> toggleSearchPanel)
        : m_log(log), m_showAbout(std::move(showAbout)), m_showReport(std::move(showReport)),
          m_toggleSearchPanel(std::move(toggleSearchPanel)) {}

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
};

} // namespace zorv
