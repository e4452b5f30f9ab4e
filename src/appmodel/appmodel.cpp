#include "appmodel.h"

#include "accessibility.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "modelsearch.h"
#include "modelsync.h"
#include "modeltransfer.h"
#include "sectionitems.h"
#include "storage/atomicfile.h"
#include "systemlog.h"
#include "terminationflush.h"

#include <QtDebug>

#include <algorithm>
#include <exception>

using namespace Qt::StringLiterals;

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
                   x.isDormant == y.isDormant && x.isUnmovable == y.isUnmovable;
        });
}

} // namespace

AppModel::AppModel(std::unique_ptr<MenuBarEngine> engine, AppModelServices services,
                   AppModelShell shell, QObject *parent)
    : QObject(parent), m_engine(std::move(engine)), m_services(std::move(services)),
      m_shell(std::move(shell)), m_axTrusted(m_services.accessibility.isProcessTrusted()),
      m_currentSettingsPane(u"general"_s),
      m_layoutStore(u"layout.json"_s, SectionLayout{}, seconds(storeDebounceSeconds),
                    m_services.dataFolder, m_services.clock, m_services.systemLog),
      m_settingsStore(u"settings.json"_s, Settings{}, seconds(storeDebounceSeconds),
                      m_services.dataFolder, m_services.clock, m_services.systemLog),
      m_profilesStore(u"profiles.json"_s, ProfileSet{}, seconds(storeDebounceSeconds),
                      m_services.dataFolder, m_services.clock, m_services.systemLog),
      m_triggersStore(u"triggers.json"_s, TriggerSet{}, seconds(storeDebounceSeconds),
                      m_services.dataFolder, m_services.clock, m_services.systemLog),
      m_backups(std::make_shared<const Backups>(backupsFolder(), m_services.clock)),
      m_cloudSync(m_services.cloudStore), m_spacing(m_services.preferences),
      m_itemIcons(m_services.dataFolder, m_services.workspace, m_services.iconWork,
                  [this](QList<MenuBarItem> items) { takeItems(std::move(items)); }),
      m_hotkeyLog(m_services.dataFolder + u"/hotkey-log.txt"_s, m_services.clock),
      m_reconcile(m_services.clock, seconds(reconcileDelaySeconds),
                  [model = QPointer<AppModel>(this)]() -> QCoro::Task<> {
                      if (model) {
                          return model->engine().reconcileMenuBar(u"user-move"_s);
                      }
                      return []() -> QCoro::Task<> { co_return; }();
                  }) {
    // What writes cut short by a crash left behind (the stores and the backups folder clean up
    // after their own files); nothing writes in these folders before start().
    for (const QString &folder : {m_services.dataFolder, m_services.dataFolder + u"/icons"_s}) {
        removeStaleTemporaryFiles(folder, [](const QString &) { return true; });
    }
    m_search = std::make_unique<ModelSearch>(*this);
    m_profileOps = std::make_unique<ModelProfiles>(*this);
    m_rules = std::make_unique<ModelRules>(*this);
    m_sync = std::make_unique<ModelSync>(*this);
    m_transfer = std::make_unique<ModelTransfer>(*this);
}

AppModel::~AppModel() = default;

QString AppModel::backupsFolder() const {
    return m_services.dataFolder + u"/backups"_s;
}

// --- Start-up.

QCoro::Task<> AppModel::start() {
    const QPointer<AppModel> self(this);
    setSettings(m_settingsStore.value());
    m_settingsLoaded = true;
    rebaselineSpacingIfNewLoginSession();
    applySettingsToEngine();
    updateRevealGestures();
    installEngineHandlers();
    setHidingBlocked(m_engine->hidingBlocked());
    consumeItems(self, *m_engine);
    setProfiles(m_profilesStore.value());
    setTriggers(m_triggersStore.value());
    setLayoutOrder(m_layoutStore.value());

    try {
        co_await m_engine->apply(m_layoutOrder);
    } catch (const EngineFailure &) {
        // Start-up goes on with whatever the engine holds.
    }
    if (!self) {
        co_return;
    }
    co_await m_engine->start();
    if (!self) {
        co_return;
    }
    applyOverlayLater(self, m_services.clock);

    auto onChange = [self](const TriggerContext &context) {
        if (!self) {
            return;
        }
        self->setAutomationContext(context);
        if (self->m_runner) {
            self->m_runner->evaluate(self->m_triggers.rules, context);
        }
    };
    m_monitors = m_shell.makeTriggerMonitors(std::move(onChange));
    m_monitors->setOnTick([self] {
        if (self) {
            self->rules().reassertTriggerHold();
        }
    });
    m_runner = m_shell.makeAutomationRunner(*this);
    m_monitors->start();
    m_sync->startCloudSync();
}

void AppModel::installEngineHandlers() {
    m_engine->setOnLayoutChanged(
        [self = QPointer<AppModel>(this), backups = m_backups](const SectionLayout &layout) {
            handleLayoutChanged(self, *backups, layout);
        });
    m_engine->setOnHidingBlockedChanged(
        [self = QPointer<AppModel>(this)](std::optional<HidingBlockedReason> reason) {
            if (self) {
                self->setHidingBlocked(reason);
            }
        });
}

void AppModel::handleLayoutChanged(const QPointer<AppModel> &model, const Backups &backups,
                                   const SectionLayout &layout) {
    (void)backups.snapshot(layout, u"layout"_s, layoutBackupsKept);
    if (!model || model->m_rules->automationOverrideActive() || model->m_isImporting) {
        return;
    }
    model->setLayoutOrder(layout);
    model->m_layoutStore.set(layout);
    model->m_sync->pushToCloud();
}

QCoro::Task<> AppModel::consumeItems(QPointer<AppModel> model, MenuBarEngine &engine) {
    while (true) {
        std::optional<QList<MenuBarItem>> list = co_await engine.itemsStream().next();
        // The model owns the engine: once it is gone, so is the stream.
        if (!list || !model) {
            co_return;
        }
        try {
            model->m_itemIcons.hydrateIcons(std::move(*list));
        } catch (const std::exception &error) {
            qWarning() << "AppModel: an item list could not be taken in:" << error.what();
        }
    }
}

QCoro::Task<> AppModel::applyOverlayLater(QPointer<AppModel> model, Clock &clock) {
    (void)co_await clock.sleep(seconds(overlayDelaySeconds));
    if (model) {
        model->appearanceOverlay().apply(model->m_settings.appearance);
    }
}

void AppModel::takeItems(QList<MenuBarItem> items) {
    setItems(std::move(items));
    setHidingBlocked(m_engine->hidingBlocked());
    refreshSecondaryBar();
}

// --- Observed writes.

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

// --- Persistence.

void AppModel::persistSettings() {
    // Before start() the settings are the defaults, not the user's: writing them would replace
    // the user's file.
    if (!m_settingsLoaded) {
        m_services.systemLog.write(u"Zorv: a settings change before the settings were loaded "
                                   u"was not saved"_s);
        return;
    }
    stampLastSaved();
    m_settingsStore.set(m_settings);
    m_sync->pushToCloud();
}

void AppModel::persistProfiles() {
    m_profilesStore.set(m_profiles);
    m_sync->pushToCloud();
}

void AppModel::persistTriggers() {
    m_triggersStore.set(m_triggers);
    m_sync->pushToCloud();
    if (m_runner) {
        m_runner->evaluate(m_triggers.rules, m_automationContext);
    }
}

void AppModel::flushStoresForTermination(double timeoutSeconds) {
    TerminationFlush flush(m_services.flushPool);
    flush.add(m_layoutStore);
    flush.add(m_settingsStore);
    flush.add(m_profilesStore);
    flush.add(m_triggersStore);
    if (!flush.run(timeoutSeconds)) {
        qWarning() << "AppModel: the stores were still being written when quitting could wait no "
                      "longer than"
                   << timeoutSeconds << "s";
    }
}

// --- Shell objects and engine settings.

AppearanceOverlayController &AppModel::appearanceOverlay() {
    if (!m_appearanceOverlay) {
        m_appearanceOverlay = m_shell.makeAppearanceOverlay();
    }
    return *m_appearanceOverlay;
}

void AppModel::applySettingsToEngine() {
    m_engine->setAutoRehideSeconds(m_settings.autoRehideSeconds);
    if (m_liveLayoutApplied && !m_settings.liveLayout) {
        m_sorts.stopAll();
    }
    m_liveLayoutApplied = m_settings.liveLayout;
    m_engine->setReorderEnabled(m_settings.liveLayout || m_sorts.underWay());
    m_engine->setIconVisible(!m_settings.hideZorvIcon);
    m_engine->setCaptureEnabled(m_settings.pixelPerfectIconsEnabled);
}

void AppModel::updateRevealGestures() {
    if (!m_gestures) {
        m_gestures = m_shell.makeRevealGestures(*this);
    }
    m_gestures->update(m_settings.revealOnHover, m_settings.revealOnScroll);
}

void AppModel::notifyShortcutsChanged() {
    Q_EMIT shortcutsChanged();
}

} // namespace zorv
