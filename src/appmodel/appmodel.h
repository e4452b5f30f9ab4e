#pragma once

#include "appmodelservices.h"
#include "appmodelshell.h"
#include "cloudsync/cloudsync.h"
#include "guidecontext.h"
#include "hotkeylog.h"
#include "itemicons.h"
#include "menubarengine.h"
#include "menubarstatus.h"
#include "profiles/profileset.h"
#include "reconcilescheduler.h"
#include "settings/settings.h"
#include "sortpasses.h"
#include "spacing/spacingcontroller.h"
#include "storage/backups.h"
#include "storage/jsonstore.h"
#include "triggers/triggercontext.h"
#include "triggers/triggerset.h"
#include "update/updatestatus.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

namespace zorv {

class ModelProfiles;
class ModelRules;
class ModelSearch;
class ModelSync;
class ModelTransfer;

// The one model of the application, between the user interface and everything else. It owns the
// engine and the four stores (settings, profiles, rules, layout), starts engine, stores, gestures,
// overlay, rule monitors and sync in a fixed order, mirrors the engine's items, layout and hiding
// problem, writes every change to its store (coalesced by the stores' debounce) and offers the
// operations menus, hot keys, panes and rules call. The feature operations (search, profiles,
// rules, sync, export and import) live in the classes reached through search(), profileOps(),
// rules(), sync() and transfer().
//
// Observed values are properties whose change signal fires only when the value really changed;
// `items` fires on every engine scan once its icons are filled in (ItemIcons; a scan a newer one
// overtakes while its icons are looked up is skipped), and the settings setters, which change one
// field in place, fire `settingsChanged` on every call. The shell's callbacks are the signals
// shortcutsChanged(), dockPresenceChanged(), replayOnboardingRequested(),
// checkForUpdatesNowRequested(), installUpdateRequested() and automaticUpdateChecksToggled().
//
// Main thread only. Every operation that drives the engine starts its own task and returns at
// once; only the debounced reconcile is ever cancelled, and only while it still waits.
class AppModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<zorv::MenuBarItem> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(zorv::Settings settings READ settings NOTIFY settingsChanged)
    Q_PROPERTY(zorv::ProfileSet profiles READ profiles NOTIFY profilesChanged)
    Q_PROPERTY(zorv::TriggerSet triggers READ triggers NOTIFY triggersChanged)
    Q_PROPERTY(zorv::TriggerContext automationContext READ automationContext NOTIFY
                   automationContextChanged)
    Q_PROPERTY(bool axTrusted READ axTrusted NOTIFY axTrustedChanged)
    Q_PROPERTY(bool needsAccessibility READ needsAccessibility NOTIFY axTrustedChanged)
    Q_PROPERTY(std::optional<QString> lastCloudSyncNote READ lastCloudSyncNote NOTIFY
                   lastCloudSyncNoteChanged)
    Q_PROPERTY(bool isImporting READ isImporting NOTIFY isImportingChanged)
    Q_PROPERTY(std::optional<zorv::HidingBlockedReason> hidingBlocked READ hidingBlocked NOTIFY
                   hidingBlockedChanged)
    Q_PROPERTY(QSet<QUuid> suspendedTriggerRuleIDs READ suspendedTriggerRuleIDs NOTIFY
                   suspendedTriggerRuleIDsChanged)
    Q_PROPERTY(std::optional<QString> triggerNotice READ triggerNotice NOTIFY triggerNoticeChanged)
    Q_PROPERTY(QSet<QUuid> activeTriggerRuleIDs READ activeTriggerRuleIDs NOTIFY
                   activeTriggerRuleIDsChanged)
    Q_PROPERTY(zorv::SectionLayout layoutOrder READ layoutOrder NOTIFY layoutOrderChanged)
    Q_PROPERTY(QString currentSettingsPane READ currentSettingsPane WRITE setCurrentSettingsPane
                   NOTIFY currentSettingsPaneChanged)
    Q_PROPERTY(std::optional<QString> pendingSettingsPane READ pendingSettingsPane WRITE
                   setPendingSettingsPane NOTIFY pendingSettingsPaneChanged)
    Q_PROPERTY(zorv::UpdateStatus updateStatus READ updateStatus WRITE setUpdateStatus NOTIFY
                   updateStatusChanged)
    Q_PROPERTY(std::optional<bool> automaticUpdateChecks READ automaticUpdateChecks WRITE
                   setAutomaticUpdateChecks NOTIFY automaticUpdateChecksChanged)
    Q_PROPERTY(std::optional<QDateTime> lastSavedAt READ lastSavedAt NOTIFY lastSavedAtChanged)
    Q_PROPERTY(zorv::MenuBarStatus menuStatus READ menuStatus NOTIFY settingsChanged)
    Q_PROPERTY(zorv::GuideContext guideContext READ guideContext NOTIFY settingsChanged)

public:
    // The debounce of the four stores and of the reconcile after a move.
    static constexpr double storeDebounceSeconds = 0.4;
    static constexpr double reconcileDelaySeconds = 0.65;
    // How long after start-up the menu-bar look is drawn.
    static constexpr double overlayDelaySeconds = 0.75;
    // Layout backups kept.
    static constexpr int layoutBackupsKept = 10;

    // Reads the four store files and nothing more: no engine call, no task.
    AppModel(std::unique_ptr<MenuBarEngine> engine, AppModelServices services, AppModelShell shell,
             QObject *parent = nullptr);
    ~AppModel() override;

    // The start-up sequence; call once, after connecting to the callback signals.
    QCoro::Task<> start();

    // --- Observed state.
    [[nodiscard]] const QList<MenuBarItem> &items() const { return m_items; }
    [[nodiscard]] const Settings &settings() const { return m_settings; }
    [[nodiscard]] const ProfileSet &profiles() const { return m_profiles; }
    [[nodiscard]] const TriggerSet &triggers() const { return m_triggers; }
    [[nodiscard]] const TriggerContext &automationContext() const { return m_automationContext; }
    [[nodiscard]] bool axTrusted() const { return m_axTrusted; }
    [[nodiscard]] bool needsAccessibility() const { return !m_axTrusted; }
    [[nodiscard]] const std::optional<QString> &lastCloudSyncNote() const {
        return m_lastCloudSyncNote;
    }
    [[nodiscard]] bool isImporting() const { return m_isImporting; }
    [[nodiscard]] std::optional<HidingBlockedReason> hidingBlocked() const {
        return m_hidingBlocked;
    }
    [[nodiscard]] const QSet<QUuid> &suspendedTriggerRuleIDs() const {
        return m_suspendedTriggerRuleIDs;
    }
    [[nodiscard]] const std::optional<QString> &triggerNotice() const { return m_triggerNotice; }
    [[nodiscard]] const QSet<QUuid> &activeTriggerRuleIDs() const { return m_activeTriggerRuleIDs; }
    [[nodiscard]] const SectionLayout &layoutOrder() const { return m_layoutOrder; }
    [[nodiscard]] const QString &currentSettingsPane() const { return m_currentSettingsPane; }
    [[nodiscard]] const std::optional<QString> &pendingSettingsPane() const {
        return m_pendingSettingsPane;
    }
    [[nodiscard]] const UpdateStatus &updateStatus() const { return m_updateStatus; }
    [[nodiscard]] std::optional<bool> automaticUpdateChecks() const {
        return m_automaticUpdateChecks;
    }
    [[nodiscard]] const std::optional<QDateTime> &lastSavedAt() const { return m_lastSavedAt; }

    // Observed writes: each signals only a real change (an equal value is stored silently).
    void setSettings(Settings settings);
    void setProfiles(ProfileSet profiles);
    void setTriggers(TriggerSet triggers);
    void setAutomationContext(TriggerContext context);
    void setLastCloudSyncNote(std::optional<QString> note);
    void setIsImporting(bool importing);
    void setSuspendedTriggerRuleIDs(QSet<QUuid> ids);
    void setTriggerNotice(std::optional<QString> notice);
    void setActiveTriggerRuleIDs(QSet<QUuid> ids);
    void setLayoutOrder(SectionLayout layout);
    void setCurrentSettingsPane(const QString &pane);
    void setPendingSettingsPane(const std::optional<QString> &pane);
    void setUpdateStatus(const UpdateStatus &status);
    // A change between two present values also reaches the updater (automaticUpdateChecksToggled).
    void setAutomaticUpdateChecks(std::optional<bool> checks);
    // Changes the settings in place: always signals, even when nothing changed.
    void editSettings(const std::function<void(Settings &)> &edit);

    // --- Derived values.
    [[nodiscard]] EngineCapabilities capabilities() const { return m_engine->capabilities(); }
    [[nodiscard]] bool isRevealed() const { return m_engine->isRevealed(); }
    [[nodiscard]] MenuBarStatus menuStatus() const;
    [[nodiscard]] GuideContext guideContext() const;
    [[nodiscard]] QString revealShortcutDisplay() const;
    [[nodiscard]] QString searchShortcutDisplay() const;
    [[nodiscard]] QString revealClickPhrase() const;
    [[nodiscard]] QString menuClickPhrase() const;

    // --- Persistence.
    // Each writes the value as it is now to its store and pushes to iCloud; persistSettings()
    // also stamps lastSavedAt, persistTriggers() also re-evaluates the rules. Settings are not
    // written before start() has loaded them (the refusal is logged).
    void persistSettings();
    void persistProfiles();
    void persistTriggers();
    // Sets lastSavedAt to now.
    void stampLastSaved();
    // Writes every store now, waiting at most `timeoutSeconds`; for the application's quit.
    void flushStoresForTermination(double timeoutSeconds);

    // --- Reveal, activation and arrangement.
    void toggleReveal();
    void revealHidden();
    void hideHidden();
    // A failure is written to the hot-key log.
    void activate(const MenuBarItemID &id, ClickKind click);
    // The section's items in the wanted order.
    [[nodiscard]] QList<MenuBarItem> itemsIn(Section section) const;
    // Hands the engine a move of the item before `before` in the section (to its end without
    // one, or when `before` is not in the section), then re-arms the reconcile.
    void move(const MenuBarItemID &id, Section section,
              const std::optional<MenuBarItemID> &before = std::nullopt);
    // Records in the user's layout, kept and saved, every item on the bar it does not place yet,
    // at the end of the section the item stands in, left to right; the engine is not told. Done
    // before a rule's layout moves items, so that the rule's end has their lanes to bring them
    // back to and the engine's adoption never records them where the rule put them.
    void takeInUnplacedItems();
    // Re-arms the debounced "user-move" reconcile.
    void scheduleReconcile();
    // One arranging pass, even while live arranging is off. It runs to its end whatever settings
    // are written meanwhile (a second sort included) unless live arranging is switched off.
    void sortMyBar();
    void setLiveLayout(bool enabled);
    // Reads the accessibility trust again and rescans.
    void refresh();
    void retryHiding();
    void openAccessibilitySettings();
    // One line in the hot-key log.
    void logHotkeyFire(const QString &key, const QString &note) const;

    // --- Settings.
    void setAutoRehide(double seconds);
    void setRevealOnHover(bool enabled);
    void setRevealOnScroll(bool enabled);
    void setPixelPerfectIcons(bool enabled);
    void setIconClickOpensMenu(bool enabled);
    void setHideZorvIcon(bool hidden);
    void setShowInDockAndSwitcher(bool shown);
    void setRevealShortcut(const std::optional<KeyShortcut> &shortcut);
    void setSearchShortcut(const std::optional<KeyShortcut> &shortcut);
    void setIconSpacing(std::optional<qint64> spacing);
    void setSecondaryBarEnabled(bool enabled);
    void completeOnboarding();
    void declineMoveToApplications();
    // Records the pane's guide as seen; nothing at all happens when it already is.
    void markGuideSeen(const QString &paneKey);
    // Asks the system first; a refusal goes to the system log and changes nothing.
    void setLaunchAtLogin(bool enabled);
    void replayOnboarding();
    // The settings window's updates card.
    void checkForUpdatesNow();
    void installUpdate();
    // The user turned to the updates (the status menu's update row): a window of the updater's
    // that is open comes forward.
    void showUpdateWindow();
    [[nodiscard]] bool hasSeenGuide(const QString &paneKey) const;
    // What the login-item service reports, not the stored setting.
    [[nodiscard]] bool launchAtLogin() const;
    [[nodiscard]] std::optional<qint64> iconSpacing() const { return m_settings.iconSpacing; }
    // The chosen spacing shows only after the next login.
    [[nodiscard]] bool spacingNeedsLogout() const;
    void rebaselineSpacingIfNewLoginSession();
    [[nodiscard]] bool secondaryBarEnabled() const { return m_settings.secondaryBarEnabled; }
    void toggleSecondaryBar(bool includeAlwaysHidden);
    // Shows an open secondary bar again with the current items.
    void refreshSecondaryBar();

    // --- For the feature classes.
    [[nodiscard]] MenuBarEngine &engine() const { return *m_engine; }
    [[nodiscard]] Clock &clock() const { return m_services.clock; }
    [[nodiscard]] SystemLog &systemLog() const { return m_services.systemLog; }
    [[nodiscard]] const AppModelServices &services() const { return m_services; }
    [[nodiscard]] const QString &dataFolder() const { return m_services.dataFolder; }
    [[nodiscard]] QString backupsFolder() const;
    [[nodiscard]] const QString &deviceName() const { return m_services.deviceName; }
    [[nodiscard]] Notifier &notifier() const { return m_shell.notifier; }
    [[nodiscard]] CloudSync &cloudSync() { return m_cloudSync; }
    [[nodiscard]] SpacingController &spacing() { return m_spacing; }
    [[nodiscard]] const Backups &backups() const { return *m_backups; }
    [[nodiscard]] JSONStore<SectionLayout> &layoutStore() { return m_layoutStore; }
    [[nodiscard]] JSONStore<Settings> &settingsStore() { return m_settingsStore; }
    [[nodiscard]] JSONStore<ProfileSet> &profilesStore() { return m_profilesStore; }
    [[nodiscard]] JSONStore<TriggerSet> &triggersStore() { return m_triggersStore; }
    // Null before start().
    [[nodiscard]] AutomationRunner *runner() const { return m_runner.get(); }
    [[nodiscard]] AppearanceOverlayController &appearanceOverlay();
    // Pushes the engine's share of the settings into the engine. Arranging stays on while a sort
    // is under way, unless these settings switch live arranging off, which stops the sort.
    void applySettingsToEngine();
    // Hands the two reveal-gesture settings to the gestures, making them on first use.
    void updateRevealGestures();
    // The shell re-registers every global hot key.
    void notifyShortcutsChanged();

    [[nodiscard]] ModelSearch &search() { return *m_search; }
    [[nodiscard]] ModelProfiles &profileOps() { return *m_profileOps; }
    [[nodiscard]] ModelRules &rules() { return *m_rules; }
    [[nodiscard]] ModelSync &sync() { return *m_sync; }
    [[nodiscard]] ModelTransfer &transfer() { return *m_transfer; }

Q_SIGNALS:
    void itemsChanged();
    void settingsChanged();
    void profilesChanged();
    void triggersChanged();
    void automationContextChanged();
    void axTrustedChanged();
    void lastCloudSyncNoteChanged();
    void isImportingChanged();
    void hidingBlockedChanged();
    void suspendedTriggerRuleIDsChanged();
    void triggerNoticeChanged();
    void activeTriggerRuleIDsChanged();
    void layoutOrderChanged();
    void currentSettingsPaneChanged();
    void pendingSettingsPaneChanged();
    void updateStatusChanged();
    void automaticUpdateChecksChanged();
    void lastSavedAtChanged();

    // The shell's callbacks.
    void shortcutsChanged();
    void dockPresenceChanged(bool shown);
    void replayOnboardingRequested();
    void checkForUpdatesNowRequested();
    void installUpdateRequested();
    void updateWindowRequested();
    void automaticUpdateChecksToggled(bool enabled);

private:
    void installEngineHandlers();
    static void handleLayoutChanged(const QPointer<AppModel> &model, const Backups &backups,
                                    const SectionLayout &layout);
    void setHidingBlocked(std::optional<HidingBlockedReason> reason);
    void setAxTrusted(bool trusted);
    void setItems(QList<MenuBarItem> items);
    // A scan's items, with icons and names filled in.
    void takeItems(QList<MenuBarItem> items);
    void hideSecondaryBar();
    // Changes one setting in place, persists, then runs the side effect.
    void changeSetting(const std::function<void(Settings &)> &edit,
                       const std::function<void()> &sideEffect = {});

    static QCoro::Task<> consumeItems(QPointer<AppModel> model, MenuBarEngine &engine);
    static QCoro::Task<> applyOverlayLater(QPointer<AppModel> model, Clock &clock);
    static QCoro::Task<> runEngineCall(std::function<QCoro::Task<>()> call);
    static QCoro::Task<> activateItem(QPointer<AppModel> model, MenuBarEngine &engine,
                                      MenuBarItemID id, ClickKind click);
    static QCoro::Task<> sortPass(QPointer<AppModel> model, MenuBarEngine &engine);

    std::unique_ptr<MenuBarEngine> m_engine;
    AppModelServices m_services;
    AppModelShell m_shell;

    QList<MenuBarItem> m_items;
    Settings m_settings;
    ProfileSet m_profiles;
    TriggerSet m_triggers;
    TriggerContext m_automationContext;
    bool m_axTrusted;
    std::optional<QString> m_lastCloudSyncNote;
    bool m_isImporting = false;
    std::optional<HidingBlockedReason> m_hidingBlocked;
    QSet<QUuid> m_suspendedTriggerRuleIDs;
    std::optional<QString> m_triggerNotice;
    QSet<QUuid> m_activeTriggerRuleIDs;
    SectionLayout m_layoutOrder;
    QString m_currentSettingsPane;
    std::optional<QString> m_pendingSettingsPane;
    UpdateStatus m_updateStatus;
    std::optional<bool> m_automaticUpdateChecks;
    std::optional<QDateTime> m_lastSavedAt;
    bool m_settingsLoaded = false;

    JSONStore<SectionLayout> m_layoutStore;
    JSONStore<Settings> m_settingsStore;
    JSONStore<ProfileSet> m_profilesStore;
    JSONStore<TriggerSet> m_triggersStore;
    // Shared with the engine's layout handler, which backs up even after the model is gone.
    std::shared_ptr<const Backups> m_backups;
    CloudSync m_cloudSync;
    SpacingController m_spacing;
    ItemIcons m_itemIcons;
    HotkeyLog m_hotkeyLog;
    ReconcileScheduler m_reconcile;
    SortPasses m_sorts;
    // Live arranging as last pushed into the engine, to tell switching it off from a rewrite.
    bool m_liveLayoutApplied = false;

    std::unique_ptr<TriggerMonitors> m_monitors;
    std::unique_ptr<AutomationRunner> m_runner;
    std::unique_ptr<RevealGestures> m_gestures;
    std::unique_ptr<AppearanceOverlayController> m_appearanceOverlay;
    std::unique_ptr<SecondaryBarController> m_secondaryBar;

    std::unique_ptr<ModelSearch> m_search;
    std::unique_ptr<ModelProfiles> m_profileOps;
    std::unique_ptr<ModelRules> m_rules;
    std::unique_ptr<ModelSync> m_sync;
    std::unique_ptr<ModelTransfer> m_transfer;
};

} // namespace zorv
