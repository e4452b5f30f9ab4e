#include "settingsview.h"

#include "appmodel.h"
#include "modelsync.h"
#include "shortcutvalue.h"

#include <QJSValue>

#include <cmath>
#include <limits>

namespace zorv {

SettingsView::SettingsView(AppModel &model, QObject *parent) : QObject(parent), m_model(model) {
    connect(&model, &AppModel::settingsChanged, this, &SettingsView::changed);
}

void SettingsView::refuse(const char *what) {
    qWarning("Zorv: refused a value for the setting %s", what);
    Q_EMIT changed();
}

double SettingsView::autoRehideSeconds() const {
    return m_model.settings().autoRehideSeconds;
}

void SettingsView::setAutoRehideSeconds(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) {
        refuse("autoRehideSeconds");
        return;
    }
    m_model.setAutoRehide(seconds);
}

bool SettingsView::revealOnHover() const {
    return m_model.settings().revealOnHover;
}

void SettingsView::setRevealOnHover(bool enabled) {
    m_model.setRevealOnHover(enabled);
}

bool SettingsView::revealOnScroll() const {
    return m_model.settings().revealOnScroll;
}

void SettingsView::setRevealOnScroll(bool enabled) {
    m_model.setRevealOnScroll(enabled);
}

bool SettingsView::liveLayout() const {
    return m_model.settings().liveLayout;
}

void SettingsView::setLiveLayout(bool enabled) {
    m_model.setLiveLayout(enabled);
}

bool SettingsView::pixelPerfectIcons() const {
    return m_model.settings().pixelPerfectIconsEnabled;
}

void SettingsView::setPixelPerfectIcons(bool enabled) {
    m_model.setPixelPerfectIcons(enabled);
}

bool SettingsView::iconClickOpensMenu() const {
    return m_model.settings().iconClickOpensMenu;
}

void SettingsView::setIconClickOpensMenu(bool enabled) {
    m_model.setIconClickOpensMenu(enabled);
}

bool SettingsView::hideZorvIcon() const {
    return m_model.settings().hideZorvIcon;
}

void SettingsView::setHideZorvIcon(bool hidden) {
    m_model.setHideZorvIcon(hidden);
}

bool SettingsView::showInDockAndSwitcher() const {
    return m_model.settings().showInDockAndSwitcher;
}

void SettingsView::setShowInDockAndSwitcher(bool shown) {
    m_model.setShowInDockAndSwitcher(shown);
}

bool SettingsView::launchAtLogin() const {
    return m_model.launchAtLogin();
}

void SettingsView::setLaunchAtLogin(bool enabled) {
    m_model.setLaunchAtLogin(enabled);
    // A refusal changes no setting, yet the switch must fall back.
    Q_EMIT changed();
}

bool SettingsView::secondaryBarEnabled() const {
    return m_model.secondaryBarEnabled();
}

void SettingsView::setSecondaryBarEnabled(bool enabled) {
    m_model.setSecondaryBarEnabled(enabled);
}

QVariant SettingsView::revealShortcut() const {
    return shortcutValue(m_model.settings().revealShortcut);
}

void SettingsView::setRevealShortcut(const QVariant &shortcut) {
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!wanted) {
        refuse("revealShortcut");
        return;
    }
    m_model.setRevealShortcut(*wanted);
}

QVariant SettingsView::searchShortcut() const {
    return shortcutValue(m_model.settings().searchShortcut);
}

void SettingsView::setSearchShortcut(const QVariant &shortcut) {
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!wanted) {
        refuse("searchShortcut");
        return;
    }
    m_model.setSearchShortcut(*wanted);
}

QString SettingsView::revealShortcutDisplay() const {
    return m_model.revealShortcutDisplay();
}

QString SettingsView::searchShortcutDisplay() const {
    return m_model.searchShortcutDisplay();
}

QString SettingsView::revealClickPhrase() const {
    return m_model.revealClickPhrase();
}

QString SettingsView::menuClickPhrase() const {
    return m_model.menuClickPhrase();
}

QVariant SettingsView::iconSpacing() const {
    const std::optional<qint64> spacing = m_model.iconSpacing();
    return spacing ? QVariant(double(*spacing)) : QVariant::fromValue(nullptr);
}

void SettingsView::setIconSpacing(const QVariant &input) {
    QVariant spacing = input;
    if (spacing.metaType() == QMetaType::fromType<QJSValue>()) {
        spacing = spacing.value<QJSValue>().toVariant();
    }
    if (!spacing.isValid() || spacing.isNull()) {
        m_model.setIconSpacing(std::nullopt);
        return;
    }
    bool ok = false;
    const double points = spacing.toDouble(&ok);
    if (!ok || spacing.typeId() == QMetaType::Bool || spacing.typeId() == QMetaType::QString ||
        !std::isfinite(points) || points < 0 || std::floor(points) != points ||
        points > double(std::numeric_limits<qint32>::max())) {
        refuse("iconSpacing");
        return;
    }
    m_model.setIconSpacing(qint64(points));
}

bool SettingsView::spacingNeedsLogout() const {
    return m_model.spacingNeedsLogout();
}

bool SettingsView::cloudSyncEnabled() const {
    return m_model.settings().cloudSyncEnabled;
}

void SettingsView::setCloudSyncEnabled(bool enabled) {
    m_model.sync().setCloudSync(enabled);
}

bool SettingsView::cloudSyncAvailable() const {
    return m_model.sync().cloudSyncAvailable();
}

QString SettingsView::cloudSyncUnavailableReason() const {
    return m_model.sync().cloudSyncUnavailableReason().value_or(QString());
}

bool SettingsView::onboardingCompleted() const {
    return m_model.settings().onboardingCompleted;
}

bool SettingsView::moveToApplicationsDeclined() const {
    return m_model.settings().moveToApplicationsDeclined;
}

} // namespace zorv
