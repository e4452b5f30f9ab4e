#pragma once

#include "appearancevalue.h"
#include "itemlistmodel.h"
#include "kit/zorvkit.h"
#include "profilelistmodel.h"
#include "rulelistmodel.h"
#include "settingsproperties.h"

#include <QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

class AppModel;

// The app model as the windows read it: its status values in types QML can bind (an absent value
// is an empty text, an invalid date or null), the settings, the look, the profiles, the rules and
// the items, and the operations menus, panes and onboarding call. Every write goes through the
// model's own setters and operations, so it is saved and applied as any other change.
//
// Made by the program for one model, which must outlive it; handed to QML as a required property.
// Main thread.
class ModelView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

    Q_PROPERTY(zorv::SettingsProperties *settings READ settings CONSTANT)
    Q_PROPERTY(zorv::AppearanceValue appearance READ appearance WRITE setAppearance NOTIFY
                   appearanceChanged)
    Q_PROPERTY(zorv::ItemListModel *items READ items CONSTANT)
    Q_PROPERTY(zorv::ProfileListModel *profiles READ profiles CONSTANT)
    Q_PROPERTY(zorv::RuleListModel *rules READ rules CONSTANT)

    Q_PROPERTY(bool axTrusted READ axTrusted NOTIFY axTrustedChanged)
    Q_PROPERTY(bool needsAccessibility READ needsAccessibility NOTIFY axTrustedChanged)
    Q_PROPERTY(bool hidingBlocked READ hidingBlocked NOTIFY hidingBlockedChanged)
    Q_PROPERTY(QString hidingBlockedHeadline READ hidingBlockedHeadline NOTIFY hidingBlockedChanged)
    Q_PROPERTY(QString hidingBlockedDetail READ hidingBlockedDetail NOTIFY hidingBlockedChanged)
    Q_PROPERTY(QString hidingBlockedFix READ hidingBlockedFix NOTIFY hidingBlockedChanged)
    Q_PROPERTY(QDateTime lastSavedAt READ lastSavedAt NOTIFY lastSavedAtChanged)
    Q_PROPERTY(QString lastCloudSyncNote READ lastCloudSyncNote NOTIFY lastCloudSyncNoteChanged)
    Q_PROPERTY(bool isImporting READ isImporting NOTIFY isImportingChanged)
    Q_PROPERTY(QString triggerNotice READ triggerNotice NOTIFY triggerNoticeChanged)
    Q_PROPERTY(QString activeProfileName READ activeProfileName NOTIFY activeProfileNameChanged)
    Q_PROPERTY(QString menuHotkey READ menuHotkey NOTIFY settingsChanged)
    Q_PROPERTY(QString currentSettingsPane READ currentSettingsPane WRITE setCurrentSettingsPane
                   NOTIFY currentSettingsPaneChanged)
    Q_PROPERTY(QString pendingSettingsPane READ pendingSettingsPane WRITE setPendingSettingsPane
                   NOTIFY pendingSettingsPaneChanged)

    Q_PROPERTY(bool updateChecking READ updateChecking NOTIFY updateStatusChanged)
    Q_PROPERTY(bool updateFailed READ updateFailed NOTIFY updateStatusChanged)
    Q_PROPERTY(bool updateCanInstall READ updateCanInstall NOTIFY updateStatusChanged)
    Q_PROPERTY(QString updateOffered READ updateOffered NOTIFY updateStatusChanged)
    Q_PROPERTY(QString updateStatusLine READ updateStatusLine NOTIFY updateStatusChanged)
    Q_PROPERTY(QString updateSymbol READ updateSymbol NOTIFY updateStatusChanged)
    Q_PROPERTY(QDateTime updateLastChecked READ updateLastChecked NOTIFY updateStatusChanged)
    Q_PROPERTY(QVariant automaticUpdateChecks READ automaticUpdateChecks WRITE
                   setAutomaticUpdateChecks NOTIFY automaticUpdateChecksChanged)

public:
    explicit ModelView(AppModel &model, QObject *parent = nullptr);
    ~ModelView() override;

    [[nodiscard]] AppModel &model() const { return m_model; }
    // The kit whose item pictures the item lists fill; without one (or once it is gone) the lists
    // look for the kit of the QML engine they live in.
    void setKit(ZorvKit *kit);
    [[nodiscard]] ZorvKit *kit() const { return m_kit; }

    [[nodiscard]] SettingsProperties *settings() const { return m_settings; }
    [[nodiscard]] AppearanceValue appearance() const;
    // Refuses a look that is not valid (see AppearanceValue::isValid()).
    void setAppearance(const AppearanceValue &appearance);
    [[nodiscard]] ItemListModel *items() const { return m_items; }
    [[nodiscard]] ProfileListModel *profiles() const { return m_profiles; }
    [[nodiscard]] RuleListModel *rules() const { return m_rules; }

    [[nodiscard]] bool axTrusted() const;
    [[nodiscard]] bool needsAccessibility() const;
    [[nodiscard]] bool hidingBlocked() const;
    // The problem's headline, what the engine does about it and what the user can do; empty
    // while hiding works (the fix also when nothing helps).
    [[nodiscard]] QString hidingBlockedHeadline() const;
    [[nodiscard]] QString hidingBlockedDetail() const;
    [[nodiscard]] QString hidingBlockedFix() const;
    // Invalid until the settings are first saved in this run.
    [[nodiscard]] QDateTime lastSavedAt() const;
    [[nodiscard]] QString lastCloudSyncNote() const;
    [[nodiscard]] bool isImporting() const;
    [[nodiscard]] QString triggerNotice() const;
    // Empty when no profile is active.
    [[nodiscard]] QString activeProfileName() const;
    // What the status menu's header shows: the reveal shortcut's display text.
    [[nodiscard]] QString menuHotkey() const;
    [[nodiscard]] QString currentSettingsPane() const;
    void setCurrentSettingsPane(const QString &pane);
    // Empty when no pane waits; setting empty clears it.
    [[nodiscard]] QString pendingSettingsPane() const;
    void setPendingSettingsPane(const QString &pane);

    [[nodiscard]] bool updateChecking() const;
    [[nodiscard]] bool updateFailed() const;
    [[nodiscard]] bool updateCanInstall() const;
    // The version an update offers; empty when none is offered.
    [[nodiscard]] QString updateOffered() const;
    [[nodiscard]] QString updateStatusLine() const;
    [[nodiscard]] QString updateSymbol() const;
    [[nodiscard]] QDateTime updateLastChecked() const;
    // Null until the updater has told; a bool after. Anything but a bool is refused.
    [[nodiscard]] QVariant automaticUpdateChecks() const;
    void setAutomaticUpdateChecks(const QVariant &checks);

    Q_INVOKABLE void dismissTriggerNotice();
    Q_INVOKABLE void toggleReveal();
    Q_INVOKABLE void revealHidden();
    Q_INVOKABLE void hideHidden();
    Q_INVOKABLE void toggleSecondaryBar(bool includeAlwaysHidden);
    Q_INVOKABLE void sortMyBar();
    Q_INVOKABLE void refresh();
    Q_INVOKABLE void retryHiding();
    Q_INVOKABLE void openAccessibilitySettings();
    // Clicks the item stored under the key, as its hot key does.
    Q_INVOKABLE void activateItem(const QString &stableKey);
    Q_INVOKABLE void completeOnboarding();
    Q_INVOKABLE void declineMoveToApplications();
    Q_INVOKABLE void replayOnboarding();
    Q_INVOKABLE void markGuideSeen(const QString &paneKey);
    // Read when a pane opens; changes with the settings.
    [[nodiscard]] Q_INVOKABLE bool hasSeenGuide(const QString &paneKey) const;
    Q_INVOKABLE void checkForUpdatesNow();
    Q_INVOKABLE void installUpdate();
    // Whether the hidden sections are out now, for a menu built as it opens.
    [[nodiscard]] Q_INVOKABLE bool isRevealed() const;
    // Writes the whole setup to the file; exportFinished() follows.
    Q_INVOKABLE void exportSetup(const QString &path);
    // Reads the file and replaces the setup with it; importFinished() follows.
    Q_INVOKABLE void importSetup(const QString &path);

Q_SIGNALS:
    void appearanceChanged();
    void settingsChanged();
    void axTrustedChanged();
    void hidingBlockedChanged();
    void lastSavedAtChanged();
    void lastCloudSyncNoteChanged();
    void isImportingChanged();
    void triggerNoticeChanged();
    void activeProfileNameChanged();
    void currentSettingsPaneChanged();
    void pendingSettingsPaneChanged();
    void updateStatusChanged();
    void automaticUpdateChecksChanged();
    void exportFinished(bool ok);
    // On success `backupPath` is the previous setup's backup. On failure `message` says why, in
    // the user's words, and `backupPath` is the backup when one was written before it failed.
    void importFinished(bool ok, const QString &message, const QString &backupPath);

private:
    static QCoro::Task<> runExport(QPointer<ModelView> view, QString path);
    static QCoro::Task<> runImport(QPointer<ModelView> view, QString path);
    void takeSettings();
    void takeProfiles();

    AppModel &m_model;
    QPointer<ZorvKit> m_kit;
    SettingsProperties *m_settings;
    ItemListModel *m_items;
    ProfileListModel *m_profiles;
    RuleListModel *m_rules;
    // What was last announced, so that each signal means a real change.
    AppearanceValue m_appearance;
    QString m_activeProfileName;
};

} // namespace zorv
