// AppModel's settings operations: one setter per preference with its side effect, the status-item
// spacing and its login-session baseline, the secondary bar, the shortcut texts and guides, and
// launch at login.

#include "appmodel.h"

#include "loginitems.h"
#include "sectionitems.h"
#include "spacing/loginsession.h"
#include "systemlog.h"

using namespace Qt::StringLiterals;

namespace zorv {

void AppModel::changeSetting(const std::function<void(Settings &)> &edit,
                             const std::function<void()> &sideEffect) {
    editSettings(edit);
    persistSettings();
    if (sideEffect) {
        sideEffect();
    }
}

void AppModel::setAutoRehide(double seconds) {
    changeSetting([seconds](Settings &settings) { settings.autoRehideSeconds = seconds; },
                  [this] { applySettingsToEngine(); });
}

void AppModel::setRevealOnHover(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.revealOnHover = enabled; },
                  [this] { updateRevealGestures(); });
}

void AppModel::setRevealOnScroll(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.revealOnScroll = enabled; },
                  [this] { updateRevealGestures(); });
}

void AppModel::setPixelPerfectIcons(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.pixelPerfectIconsEnabled = enabled; },
                  [this, enabled] {
                      m_engine->setCaptureEnabled(enabled);
                      refresh();
                  });
}

void AppModel::setIconClickOpensMenu(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.iconClickOpensMenu = enabled; });
}

void AppModel::setHideZorvIcon(bool hidden) {
    changeSetting([hidden](Settings &settings) { settings.hideZorvIcon = hidden; },
                  [this, hidden] { m_engine->setIconVisible(!hidden); });
}

void AppModel::setShowInDockAndSwitcher(bool shown) {
    changeSetting([shown](Settings &settings) { settings.showInDockAndSwitcher = shown; },
                  [this, shown] { Q_EMIT dockPresenceChanged(shown); });
}

void AppModel::setRevealShortcut(const std::optional<KeyShortcut> &shortcut) {
    changeSetting([&shortcut](Settings &settings) { settings.revealShortcut = shortcut; },
                  [this] { notifyShortcutsChanged(); });
}

void AppModel::setSearchShortcut(const std::optional<KeyShortcut> &shortcut) {
    changeSetting([&shortcut](Settings &settings) { settings.searchShortcut = shortcut; },
                  [this] { notifyShortcutsChanged(); });
}

void AppModel::setIconSpacing(std::optional<qint64> spacing) {
    changeSetting([spacing](Settings &settings) { settings.iconSpacing = spacing; },
                  [this, spacing] { m_spacing.setSpacing(spacing); });
}

void AppModel::setSecondaryBarEnabled(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.secondaryBarEnabled = enabled; },
                  [this, enabled] {
                      if (!enabled && m_secondaryBar) {
                          hideSecondaryBar();
                      }
                  });
}

void AppModel::completeOnboarding() {
    changeSetting([](Settings &settings) { settings.onboardingCompleted = true; });
}

void AppModel::declineMoveToApplications() {
    changeSetting([](Settings &settings) { settings.moveToApplicationsDeclined = true; });
}

void AppModel::markGuideSeen(const QString &paneKey) {
    if (m_settings.seenPaneGuides.contains(paneKey)) {
        return;
    }
    changeSetting([&paneKey](Settings &settings) { settings.seenPaneGuides.append(paneKey); });
}

void AppModel::setLaunchAtLogin(bool enabled) {
    if (const auto failure = m_services.loginItems.setMainAppEnabled(enabled)) {
        m_services.systemLog.write(u"Zorv: launch-at-login toggle failed: "_s + *failure);
        return;
    }
    changeSetting([enabled](Settings &settings) { settings.launchAtLogin = enabled; });
}

void AppModel::replayOnboarding() {
    Q_EMIT replayOnboardingRequested();
}

void AppModel::checkForUpdatesNow() {
    Q_EMIT checkForUpdatesNowRequested();
}

void AppModel::installUpdate() {
    Q_EMIT installUpdateRequested();
}

void AppModel::showUpdateWindow() {
    Q_EMIT updateWindowRequested();
}

bool AppModel::hasSeenGuide(const QString &paneKey) const {
    return m_settings.seenPaneGuides.contains(paneKey);
}

bool AppModel::launchAtLogin() const {
    return m_services.loginItems.isMainAppEnabled();
}

bool AppModel::spacingNeedsLogout() const {
    return m_spacing.currentSpacing() != m_settings.spacingAppliedAtLogin;
}

void AppModel::rebaselineSpacingIfNewLoginSession() {
    const std::optional<QDateTime> session = LoginSession::startedAt(m_services.processes);
    if (session == m_settings.spacingBaselineSession) {
        return;
    }
    const bool firstSessionSeen = !m_settings.spacingBaselineSession.has_value();
    const std::optional<qint64> applied =
        firstSessionSeen ? std::nullopt : m_spacing.currentSpacing();
    editSettings([&session, &applied](Settings &settings) {
        settings.spacingBaselineSession = session;
        settings.spacingAppliedAtLogin = applied;
    });
    persistSettings();
}

void AppModel::toggleSecondaryBar(bool includeAlwaysHidden) {
    if (!m_secondaryBar) {
        m_secondaryBar = m_shell.makeSecondaryBar(*this);
    }
    const QList<MenuBarItem> shown = floatingBarItems(m_items, includeAlwaysHidden);
    const std::optional<QRectF> iconFrame = m_engine->iconFrame();
    if (m_secondaryBar->isVisible()) {
        hideSecondaryBar();
    } else {
        m_secondaryBar->show(shown, iconFrame, includeAlwaysHidden);
    }
}

void AppModel::hideSecondaryBar() {
    m_secondaryBar->hide();
}

void AppModel::refreshSecondaryBar() {
    if (!m_secondaryBar || !m_secondaryBar->isVisible()) {
        return;
    }
    const bool includeAlwaysHidden = m_secondaryBar->includesAlwaysHidden();
    const QList<MenuBarItem> shown = floatingBarItems(m_items, includeAlwaysHidden);
    const std::optional<QRectF> iconFrame = m_engine->iconFrame();
    if (m_secondaryBar->isVisible()) {
        m_secondaryBar->show(shown, iconFrame, includeAlwaysHidden);
    }
}

QString AppModel::revealShortcutDisplay() const {
    return m_settings.revealShortcut ? m_settings.revealShortcut->display() : u"⌥⌘S"_s;
}

QString AppModel::searchShortcutDisplay() const {
    return m_settings.searchShortcut ? m_settings.searchShortcut->display() : u"⌥⌘F"_s;
}

QString AppModel::revealClickPhrase() const {
    return m_settings.iconClickOpensMenu ? u"right-click"_s : u"click"_s;
}

QString AppModel::menuClickPhrase() const {
    return m_settings.iconClickOpensMenu ? u"click"_s : u"right-click"_s;
}

GuideContext AppModel::guideContext() const {
    return GuideContext{m_settings.iconClickOpensMenu, revealShortcutDisplay(),
                        searchShortcutDisplay(), m_settings.liveLayout};
}

} // namespace zorv
