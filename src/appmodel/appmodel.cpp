// AppModel's making and start-up: the stores and the feature classes, the start-up order, what
// the engine hands over (layouts, items, hiding problems), the shell objects made on first use
// and the settings pushed into the engine.

#include "appmodel.h"

#include "accessibility.h"
#include "modelprofiles.h"
#include "modelrules.h"
#include "modelsearch.h"
#include "modelsync.h"
#include "modeltransfer.h"
#include "sectionitems.h"
#include "storage/atomicfile.h"

#include <QtDebug>

#include <exception>

using namespace Qt::StringLiterals;

namespace zorv {

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
    m_rules->barRead();
    // A permission granted or taken away since the last look shows with the bar that reflects it.
    setAxTrusted(m_services.accessibility.isProcessTrusted());
    setHidingBlocked(m_engine->hidingBlocked());
    refreshSecondaryBar();
    m_search->itemsTaken();
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
