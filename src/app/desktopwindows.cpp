#include "desktopwindows.h"

#include "systemlog.h"

using namespace Qt::StringLiterals;

namespace zorv {

void DesktopWindows::unavailable(const QString &window) {
    m_log.write(u"Zorv: the %1 is not available in this build"_s.arg(window));
}

void DesktopWindows::openSettings(std::optional<SettingsPane> pane) {
    m_openSettings(pane);
}

void DesktopWindows::showOnboarding() {
    unavailable(u"welcome window"_s);
}

void DesktopWindows::showAbout() {
    m_showAbout();
}

void DesktopWindows::showReport(const std::optional<QString> &sentReportId) {
    m_showReport(sentReportId);
}

void DesktopWindows::toggleSearchPanel() {
    m_toggleSearchPanel();
}

} // namespace zorv
