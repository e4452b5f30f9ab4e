#pragma once

#include "search/searchpanelcontroller.h"
#include "shellwindows.h"

#include <functional>

namespace zorv {

// The windows the shell opens on this desktop: the problem-report window, the about panel, the
// search panel, the settings window and the welcome window, each shown by the composition.
class DesktopWindows final : public ShellWindows {
public:
    using ShowReport = std::function<void(const std::optional<QString> &sentReportId)>;

    // `searchPanel` answers the search panel, null while there is none.
    DesktopWindows(std::function<void()> showAbout, ShowReport showReport,
                   std::function<SearchPanelController *()> searchPanel,
                   std::function<void(std::optional<SettingsPane>)> openSettings,
                   std::function<void()> showOnboarding)
        : m_showAbout(std::move(showAbout)), m_showReport(std::move(showReport)),
          m_searchPanel(std::move(searchPanel)), m_openSettings(std::move(openSettings)),
          m_showOnboarding(std::move(showOnboarding)) {}

    void openSettings(std::optional<SettingsPane> pane) override;
    void showOnboarding() override;
    void showAbout() override;
    void showReport(const std::optional<QString> &sentReportId) override;
    void showSearchPanel() override;
    void toggleSearchPanel() override;

private:
    std::function<void()> m_showAbout;
    ShowReport m_showReport;
    std::function<SearchPanelController *()> m_searchPanel;
    std::function<void(std::optional<SettingsPane>)> m_openSettings;
    std::function<void()> m_showOnboarding;
};

} // namespace zorv
