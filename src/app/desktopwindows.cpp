#include "desktopwindows.h"

namespace zorv {

void DesktopWindows::openSettings(std::optional<SettingsPane> pane) {
    m_openSettings(pane);
}

void DesktopWindows::showOnboarding() {
    m_showOnboarding();
}

void DesktopWindows::showAbout() {
    m_showAbout();
}

void DesktopWindows::showReport(const std::optional<QString> &sentReportId) {
    m_showReport(sentReportId);
}

void DesktopWindows::showSearchPanel() {
    if (SearchPanelController *panel = m_searchPanel()) {
        panel->show();
    }
}

void DesktopWindows::toggleSearchPanel() {
    if (SearchPanelController *panel = m_searchPanel()) {
        panel->toggle();
    }
}

} // namespace zorv
