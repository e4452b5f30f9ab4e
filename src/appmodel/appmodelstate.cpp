// AppModel's observed writes: each stores its value and signals only a real change.

#include "appmodel.h"

#include <algorithm>

namespace zorv {

namespace {

// Stores the value; true when it differs from the one it replaced (an equal value is still
// stored).
template <typename T> bool assign(T &field, T value) {
    const bool changed = !(field == value);
    field = std::move(value);
    return changed;
}

// Whether the two lists show the same: an id's equality is its identity, which leaves out the
// title and, beside an accessibility identifier, the slot; both are shown.
bool sameItems(const QList<MenuBarItem> &a, const QList<MenuBarItem> &b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const MenuBarItem &x, const MenuBarItem &y) {
            return x.id == y.id && x.id.title == y.id.title &&
                   x.id.axIdentifier == y.id.axIdentifier && x.id.ordinal == y.id.ordinal &&
                   x.pid == y.pid && x.appName == y.appName && x.frame == y.frame &&
                   x.appIcon == y.appIcon && x.capturedImage == y.capturedImage &&
                   x.section == y.section && x.isNotchObscured == y.isNotchObscured &&
                   x.isDormant == y.isDormant && x.isUnmovable == y.isUnmovable &&
                   x.unplacedBecause == y.unplacedBecause;
        });
}

} // namespace

void AppModel::setItems(QList<MenuBarItem> items) {
    // A scan of a bar where nothing moved must not redraw every view of the items.
    if (sameItems(m_items, items)) {
        return;
    }
    m_items = std::move(items);
    Q_EMIT itemsChanged();
}

void AppModel::setSettings(Settings settings) {
    if (assign(m_settings, std::move(settings))) {
        Q_EMIT settingsChanged();
    }
}

void AppModel::editSettings(const std::function<void(Settings &)> &edit) {
    edit(m_settings);
    Q_EMIT settingsChanged();
}

void AppModel::setProfiles(ProfileSet profiles) {
    if (assign(m_profiles, std::move(profiles))) {
        Q_EMIT profilesChanged();
    }
}

void AppModel::setTriggers(TriggerSet triggers) {
    if (assign(m_triggers, std::move(triggers))) {
        Q_EMIT triggersChanged();
    }
}

void AppModel::setAutomationContext(TriggerContext context) {
    if (assign(m_automationContext, std::move(context))) {
        Q_EMIT automationContextChanged();
    }
}

void AppModel::setAxTrusted(bool trusted) {
    if (assign(m_axTrusted, trusted)) {
        Q_EMIT axTrustedChanged();
    }
}

void AppModel::setLastCloudSyncNote(std::optional<QString> note) {
    if (assign(m_lastCloudSyncNote, std::move(note))) {
        Q_EMIT lastCloudSyncNoteChanged();
    }
}

void AppModel::setIsImporting(bool importing) {
    if (assign(m_isImporting, importing)) {
        Q_EMIT isImportingChanged();
    }
}

void AppModel::setHidingBlocked(std::optional<HidingBlockedReason> reason) {
    if (assign(m_hidingBlocked, reason)) {
        Q_EMIT hidingBlockedChanged();
    }
}

void AppModel::setSuspendedTriggerRuleIDs(QSet<QUuid> ids) {
    if (assign(m_suspendedTriggerRuleIDs, std::move(ids))) {
        Q_EMIT suspendedTriggerRuleIDsChanged();
    }
}

void AppModel::setTriggerNotice(std::optional<QString> notice) {
    if (assign(m_triggerNotice, std::move(notice))) {
        Q_EMIT triggerNoticeChanged();
    }
}

void AppModel::setActiveTriggerRuleIDs(QSet<QUuid> ids) {
    if (assign(m_activeTriggerRuleIDs, std::move(ids))) {
        Q_EMIT activeTriggerRuleIDsChanged();
    }
}

void AppModel::setLayoutOrder(SectionLayout layout) {
    if (assign(m_layoutOrder, std::move(layout))) {
        Q_EMIT layoutOrderChanged();
    }
}

void AppModel::setCurrentSettingsPane(const QString &pane) {
    if (assign(m_currentSettingsPane, pane)) {
        Q_EMIT currentSettingsPaneChanged();
    }
}

void AppModel::setPendingSettingsPane(const std::optional<QString> &pane) {
    if (assign(m_pendingSettingsPane, pane)) {
        Q_EMIT pendingSettingsPaneChanged();
    }
}

void AppModel::setUpdateStatus(const UpdateStatus &status) {
    if (assign(m_updateStatus, status)) {
        Q_EMIT updateStatusChanged();
    }
}

void AppModel::setAutomaticUpdateChecks(std::optional<bool> checks) {
    const std::optional<bool> previous = m_automaticUpdateChecks;
    if (assign(m_automaticUpdateChecks, checks)) {
        Q_EMIT automaticUpdateChecksChanged();
    }
    // The updater's own first report (from none) must not echo back to it.
    if (previous && checks && *previous != *checks) {
        Q_EMIT automaticUpdateChecksToggled(*checks);
    }
}

void AppModel::stampLastSaved() {
    if (assign(m_lastSavedAt, std::optional<QDateTime>(m_services.clock.wallNow()))) {
        Q_EMIT lastSavedAtChanged();
    }
}

} // namespace zorv
