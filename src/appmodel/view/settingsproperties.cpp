#include "settingsproperties.h"

#include "appmodel.h"
#include "modelsync.h"
#include "shortcutvalue.h"

#include <QJSValue>

#include <cmath>
#include <limits>

namespace zorv {

SettingsProperties::SettingsProperties(AppModel &model, QObject *parent)
    : QObject(parent), m_model(model) {
    connect(&model, &AppModel::settingsChanged, this, &SettingsProperties::changed);
}

void SettingsProperties::refuse(const char *what) {
    qWarning("Zorv: refused a value for the setting %s", what);
    Q_EMIT changed();
}

double SettingsProperties::autoRehideSeconds() const {
    return m_model.settings().autoRehideSeconds;
}

void SettingsProperties::setAutoRehideSeconds(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) {
        refuse("autoRehideSeconds");
        return;
    }
    m_model.setAutoRehide(seconds);
}

bool SettingsProperties::revealOnHover() const {
    return m_model.settings().revealOnHover;
}

void SettingsProperties::setRevealOnHover(bool enabled) {
    m_model.setRevealOnHover(enabled);
}

bool SettingsProperties::revealOnScroll() const {
    return m_model.settings().revealOnScroll;
}

void SettingsProperties::setRevealOnScroll(bool enabled) {
    m_model.setRevealOnScroll(enabled);
}

bool SettingsProperties::liveLayout() const {
    return m_model.settings().liveLayout;
}

void SettingsProperties::setLiveLayout(bool enabled) {
    m_model.setLiveLayout(enabled);
}

bool SettingsProperties::pixelPerfectIcons() const {
    return m_model.settings().pixelPerfectIconsEnabled;
}

void SettingsProperties::setPixelPerfectIcons(bool enabled) {
    m_model.setPixelPerfectIcons(enabled);
}

bool SettingsProperties::iconClickOpensMenu() const {
    return m_model.settings().iconClickOpensMenu;
}

void SettingsProperties::setIconClickOpensMenu(bool enabled) {
    m_model.setIconClickOpensMenu(enabled);
}

bool SettingsProperties::hideZorvIcon() const {
    return m_model.settings().hideZorvIcon;
}

void SettingsProperties::setHideZorvIcon(bool hidden) {
    m_model.setHideZorvIcon(hidden);
}

bool SettingsProperties::showInDockAndSwitcher() const {
    return m_model.settings().showInDockAndSwitcher;
}

void SettingsProperties::setShowInDockAndSwitcher(bool shown) {
    m_model.setShowInDockAndSwitcher(shown);
}

bool SettingsProperties::launchAtLogin() const {
    return m_model.launchAtLogin();
}

void SettingsProperties::setLaunchAtLogin(bool enabled) {
    m_model.setLaunchAtLogin(enabled);
    // A refusal changes no setting, yet the switch must fall back.
    Q_EMIT changed();
}

bool SettingsProperties::secondaryBarEnabled() const {
    return m_model.secondaryBarEnabled();
}

void SettingsProperties::setSecondaryBarEnabled(bool enabled) {
    m_model.setSecondaryBarEnabled(enabled);
}

QVariant SettingsProperties::revealShortcut() const {
    return shortcutValue(m_model.settings().revealShortcut);
}

void SettingsProperties::setRevealShortcut(const QVariant &shortcut) {
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!wanted) {
        refuse("revealShortcut");
        return;
    }
    m_model.setRevealShortcut(*wanted);
}

QVariant SettingsProperties::searchShortcut() const {
    return shortcutValue(m_model.settings().searchShortcut);
}

void SettingsProperties::setSearchShortcut(const QVariant &shortcut) {
    const std::optional<std::optional<KeyShortcut>> wanted = shortcutFromValue(shortcut);
    if (!wanted) {
        refuse("searchShortcut");
        return;
    }
    m_model.setSearchShortcut(*wanted);
}

QString SettingsProperties::revealShortcutDisplay() const {
    return m_model.revealShortcutDisplay();
}

QString SettingsProperties::searchShortcutDisplay() const {
    return m_model.searchShortcutDisplay();
}

QString SettingsProperties::revealClickPhrase() const {
    return m_model.revealClickPhrase();
}

QString SettingsProperties::menuClickPhrase() const {
    return m_model.menuClickPhrase();
}

QVariant SettingsProperties::iconSpacing() const {
    const std::optional<qint64> spacing = m_model.iconSpacing();
    return spacing ? QVariant(double(*spacing)) : QVariant::fromValue(nullptr);
}

void SettingsProperties::setIconSpacing(const QVariant &input) {
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

bool SettingsProperties::spacingNeedsLogout() const {
    return m_model.spacingNeedsLogout();
}

bool SettingsProperties::cloudSyncEnabled() const {
    return m_model.settings().cloudSyncEnabled;
}

void SettingsProperties::setCloudSyncEnabled(bool enabled) {
    m_model.sync().setCloudSync(enabled);
}

bool SettingsProperties::cloudSyncAvailable() const {
    return m_model.sync().cloudSyncAvailable();
}

QString SettingsProperties::cloudSyncUnavailableReason() const {
    return m_model.sync().cloudSyncUnavailableReason().value_or(QString());
}

bool SettingsProperties::onboardingCompleted() const {
    return m_model.settings().onboardingCompleted;
}

bool SettingsProperties::moveToApplicationsDeclined() const {
    return m_model.settings().moveToApplicationsDeclined;
}

} // namespace zorv
