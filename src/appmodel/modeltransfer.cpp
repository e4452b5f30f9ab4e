#include "modeltransfer.h"

#include "appmodel.h"
#include "incomingsettings.h"
#include "modelprofiles.h"
#include "shell/automationrunner.h"
#include "storage/atomicfile.h"
#include "storage/storeerror.h"
#include "storage/wholefile.h"
#include "systemlog.h"
#include "transfer/encodeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString restoredMessage =
    u"Import failed. Your previous setup was restored. A backup is in Your Data → backups."_s;
const QString layoutNotReappliedMessage =
    u"Import failed. Your previous files were restored, but the menu-bar layout could not be "
    u"reapplied. A backup is in Your Data → backups."_s;
const QString notAllRestoredMessage = u"Import failed. A backup of your previous setup is in "
                                      u"Your Data → backups; some files could not be restored."_s;

// The settings that describe this Mac rather than the user's setup stay as they are.
Settings keepingThisMac(Settings incoming, const Settings &current) {
    incoming.cloudSyncEnabled = current.cloudSyncEnabled;
    incoming.launchAtLogin = current.launchAtLogin;
    incoming.showInDockAndSwitcher = current.showInDockAndSwitcher;
    incoming.spacingAppliedAtLogin = current.spacingAppliedAtLogin;
    incoming.spacingBaselineSession = current.spacingBaselineSession;
    incoming.onboardingCompleted = current.onboardingCompleted;
    incoming.moveToApplicationsDeclined = current.moveToApplicationsDeclined;
    return IncomingSettings::checked(std::move(incoming), current);
}

} // namespace

SetupImportError::SetupImportError(Code code, QString description, QString backupPath)
    : std::runtime_error(description.toStdString()), m_code(code),
      m_description(std::move(description)), m_backupPath(std::move(backupPath)) {}

ModelTransfer::ModelTransfer(AppModel &model) : m_model(model) {}

SettingsBundle ModelTransfer::currentSetup() const {
    return SettingsBundle(m_model.clock().wallNow(), m_model.settings(),
                          m_model.layoutStore().value(), m_model.profiles(), m_model.triggers());
}

QCoro::Task<bool> ModelTransfer::exportSettings(QString path) {
    QByteArray bytes;
    try {
        bytes = currentSetup().encoded();
    } catch (const EncodeError &error) {
        m_model.systemLog().write(u"Zorv: could not export the settings: "_s + error.message());
        co_return false;
    }
    co_return !writeFileAtomically(path, bytes, FileDurability::Synced).has_value();
}

QCoro::Task<QString> ModelTransfer::importSettings(QString path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        throw StoreError(u"could not read %1: no such file"_s.arg(info.fileName()));
    }
    if (info.isFile() && info.size() > SettingsBundle::kMaxDocumentBytes) {
        throw SettingsImportError(SettingsImportError::Reason::tooLarge);
    }
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        throw StoreError(u"could not read %1"_s.arg(info.fileName()));
    }
    co_return co_await commitImportedSetup(SettingsBundle::decode(*bytes));
}

QCoro::Task<QString> ModelTransfer::commitImportedSetup(SettingsBundle bundle) {
    if (m_model.isImporting()) {
        throw SetupImportError(SetupImportError::Code::alreadyRunning,
                               u"Another import is already running."_s);
    }
    m_model.setIsImporting(true);
    const SettingsBundle backup = currentSetup();
    const StoreImages images = storeImages();
    const QString backupPath =
        QDir(m_model.backupsFolder())
            .filePath(u"before-import-"_s +
                      QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + u".json"_s);
    try {
        QDir().mkpath(m_model.backupsFolder());
        const QByteArray bytes = backup.encoded();
        if (const auto failure = writeFileAtomically(backupPath, bytes, FileDurability::Synced)) {
            throw StoreError(*failure);
        }
    } catch (...) {
        m_model.setIsImporting(false);
        throw;
    }

    const Settings incomingSettings = keepingThisMac(bundle.settings, m_model.settings());
    const QPointer<AppModel> model(&m_model);
    bool committed = false;
    bool modelTaken = false;
    try {
        m_model.settingsStore().replaceAndFlush(incomingSettings);
        m_model.profilesStore().replaceAndFlush(bundle.profiles);
        m_model.triggersStore().replaceAndFlush(bundle.triggers);
        m_model.layoutStore().replaceAndFlush(bundle.layout);
        // The model takes the setup together with its files, before the engine is waited for:
        // a save made meanwhile (a toggle, a profile's hot key) then builds on the imported setup
        // instead of writing the old one back over it.
        takeSetup(incomingSettings, bundle.profiles, bundle.triggers, bundle.layout);
        modelTaken = true;
        co_await m_model.engine().apply(bundle.layout);
        committed = true;
    } catch (const std::exception &) {
        // Whichever step failed, every file is put back below.
    }
    if (!model) {
        co_return backupPath;
    }
    if (committed) {
        m_model.stampLastSaved();
        applySetup();
        m_model.setIsImporting(false);
        co_return backupPath;
    }

    const QString message = co_await rollBack(backup, images);
    if (model) {
        if (modelTaken) {
            applySetup();
        }
        m_model.setIsImporting(false);
    }
    throw SetupImportError(SetupImportError::Code::importFailed, message, backupPath);
}

ModelTransfer::StoreImages ModelTransfer::storeImages() const {
    return StoreImages{m_model.settingsStore().fileImage(), m_model.profilesStore().fileImage(),
                       m_model.triggersStore().fileImage(), m_model.layoutStore().fileImage()};
}

void ModelTransfer::takeSetup(const Settings &settings, const ProfileSet &profiles,
                              const TriggerSet &triggers, const SectionLayout &layout) {
    m_model.setSettings(settings);
    m_model.setProfiles(profiles);
    m_model.setTriggers(triggers);
    m_model.setLayoutOrder(layout);
}

void ModelTransfer::applySetup() {
    m_model.applySettingsToEngine();
    m_model.updateRevealGestures();
    m_model.profileOps().applyAppearance();
    m_model.spacing().setSpacing(m_model.settings().iconSpacing);
    m_model.notifyShortcutsChanged();
    if (AutomationRunner *runner = m_model.runner()) {
        runner->evaluate(m_model.triggers().rules, m_model.automationContext());
    }
}

QCoro::Task<QString> ModelTransfer::rollBack(SettingsBundle backup, StoreImages images) {
    bool allRestored = true;
    // Each file gets back the very bytes it held, keys this version does not know included.
    const auto restore = [&allRestored](auto &store, const auto &image, const auto &value) {
        try {
            store.restore(image, value);
        } catch (const StoreError &) {
            allRestored = false;
        }
    };
    restore(m_model.settingsStore(), images.settings, backup.settings);
    restore(m_model.profilesStore(), images.profiles, backup.profiles);
    restore(m_model.triggersStore(), images.triggers, backup.triggers);
    restore(m_model.layoutStore(), images.layout, backup.layout);
    takeSetup(backup.settings, backup.profiles, backup.triggers, m_model.layoutOrder());
    const QPointer<AppModel> model(&m_model);
    bool layoutApplied = true;
    try {
        co_await m_model.engine().apply(backup.layout);
    } catch (const EngineFailure &) {
        layoutApplied = false;
    }
    if (model) {
        m_model.setLayoutOrder(backup.layout);
    }
    if (!allRestored) {
        co_return notAllRestoredMessage;
    }
    co_return layoutApplied ? restoredMessage : layoutNotReappliedMessage;
}

} // namespace zorv
