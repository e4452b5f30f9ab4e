#pragma once

#include "storage/jsonstorebase.h"
#include "transfer/settingsbundle.h"

#include <QCoroTask>
#include <QString>

#include <stdexcept>

namespace zorv {

class AppModel;

// A refused or failed import of a whole setup, with the text shown to the user and, once the
// previous setup was saved, the backup file.
class SetupImportError : public std::runtime_error {
public:
    static constexpr QStringView kDomain = u"Zorv.SettingsImport";
    enum class Code { importFailed = 1, alreadyRunning = 2 };

    SetupImportError(Code code, QString description, QString backupPath = {});

    [[nodiscard]] Code code() const { return m_code; }
    [[nodiscard]] const QString &localizedDescription() const { return m_description; }
    // "ZorvBackupURL": empty when no backup was written.
    [[nodiscard]] const QString &backupPath() const { return m_backupPath; }

private:
    Code m_code;
    QString m_description;
    QString m_backupPath;
};

// Export of the whole setup to a file, and import as one transaction: the current setup is
// backed up first, this Mac's own settings are kept, all four files are written and the layout
// applied, and any failure puts the previous setup back. Owned by the model; main thread.
class ModelTransfer {
public:
    explicit ModelTransfer(AppModel &model);

    // True when the file was written.
    QCoro::Task<bool> exportSettings(QString path);
    // Reads, checks and commits a file; returns the backup's path. Throws the file's read error
    // (StoreError), the decoding errors of SettingsBundle::decode() and what commit throws.
    QCoro::Task<QString> importSettings(QString path);
    // Replaces the setup; returns the backup's path. Throws SetupImportError, or the error that
    // kept the backup from being written.
    QCoro::Task<QString> commitImportedSetup(SettingsBundle bundle);

private:
    struct StoreImages {
        JSONStoreBase::FileImage settings;
        JSONStoreBase::FileImage profiles;
        JSONStoreBase::FileImage triggers;
        JSONStoreBase::FileImage layout;
    };

    // The setup as it stands, stamped now.
    [[nodiscard]] SettingsBundle currentSetup() const;
    // What the four store files hold now.
    [[nodiscard]] StoreImages storeImages() const;
    // The model's values (observed writes), without side effects.
    void takeSetup(const Settings &settings, const ProfileSet &profiles, const TriggerSet &triggers,
                   const SectionLayout &layout);
    // Hands the model's settings and rules to the engine, the gestures, the overlay, the spacing
    // preferences, the shell's hot keys and the rule runner.
    void applySetup();
    // Puts the four files back as they were (or writes the backup's values where that is not
    // known), takes the backup's values into the model and hands its layout to the engine;
    // returns the message that says how far that got.
    QCoro::Task<QString> rollBack(SettingsBundle backup, StoreImages images);

    AppModel &m_model;
};

} // namespace zorv
