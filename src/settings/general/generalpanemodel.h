#pragma once

#include "modelview.h"
#include "readoutrange.h"
#include "settingsservices.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

// The General pane's texts and the flows its controls start that are more than one setting:
// the login switch (which shows what the system reports, not what was asked), the notes that
// follow the settings, the auto-hide readout, and the export and import of the whole setup (save
// and open panels, the confirmation before an import, the status line and the backup of the
// last import). The plain switches and pickers write `view.settings` directly. Made in QML with
// `view` and `services` set; main thread.
class GeneralPaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(zorv::SettingsServices *services MEMBER m_services NOTIFY servicesChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(QVariant dockNote READ dockNote NOTIFY textsChanged)
    Q_PROPERTY(QVariant hideIconNote READ hideIconNote NOTIFY textsChanged)
    Q_PROPERTY(QString iconClickNote READ iconClickNote NOTIFY textsChanged)
    Q_PROPERTY(QString layoutNote READ layoutNote NOTIFY textsChanged)
    Q_PROPERTY(double autoHideSeconds READ autoHideSeconds NOTIFY textsChanged)
    Q_PROPERTY(QString autoHideReadout READ autoHideReadout NOTIFY textsChanged)
    Q_PROPERTY(QString syncNote READ syncNote NOTIFY textsChanged)
    Q_PROPERTY(QString syncStatus READ syncStatus NOTIFY textsChanged)
    Q_PROPERTY(QString backupNote READ backupNote NOTIFY backupChanged)
    Q_PROPERTY(QString backupPath READ backupPath NOTIFY backupChanged)
    Q_PROPERTY(bool confirmingImport READ confirmingImport NOTIFY backupChanged)

public:
    static constexpr double autoHideMaximum = 30;
    static inline const QString exportFileName = QStringLiteral("zorv-settings.json");

    explicit GeneralPaneModel(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] bool launchAtLogin() const { return m_launchAtLogin; }
    // Asks the system, then shows what it reports: a refusal puts the switch back.
    void setLaunchAtLogin(bool enabled);
    // A string, or null for no note.
    [[nodiscard]] QVariant dockNote() const;
    [[nodiscard]] QVariant hideIconNote() const;
    [[nodiscard]] QString iconClickNote() const;
    [[nodiscard]] QString layoutNote() const;
    // Where the slider stands: the stored delay within the slider's range; a value that is not a
    // number stands at the default.
    [[nodiscard]] double autoHideSeconds() const;
    // The delay the engine keeps, which a synced, imported or hand-edited file may put beyond
    // the slider's end: the readout says what happens, not where the slider stops.
    [[nodiscard]] QString autoHideReadout() const;
    [[nodiscard]] QString syncNote() const;
    // The last sync's note while sync is on; empty otherwise.
    [[nodiscard]] QString syncStatus() const;
    [[nodiscard]] QString backupNote() const;
    // The backup of the last import; empty when there is none to show.
    [[nodiscard]] QString backupPath() const { return m_backupPath; }
    [[nodiscard]] bool confirmingImport() const { return m_confirmingImport; }
    [[nodiscard]] QString pendingImport() const { return m_pendingImport; }

    // The pane is shown: the login switch reads the system again.
    Q_INVOKABLE void appear();
    // Asks for a file and writes the setup there.
    Q_INVOKABLE void exportSetup();
    // Asks for a file to import, then for confirmation.
    Q_INVOKABLE void chooseImport();
    Q_INVOKABLE void confirmImport();
    Q_INVOKABLE void cancelImport();
    Q_INVOKABLE void showBackup();

Q_SIGNALS:
    void viewChanged();
    void servicesChanged();
    void launchAtLoginChanged();
    void textsChanged();
    void backupChanged();

private:
    [[nodiscard]] static ReadoutRange autoHideRange();
    static QCoro::Task<> runExport(QPointer<GeneralPaneModel> self);
    static QCoro::Task<> runChooseImport(QPointer<GeneralPaneModel> self);
    void readLaunchAtLogin();
    void exportFinished(bool ok);
    void importFinished(bool ok, const QString &message, const QString &backupPath);

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QList<QMetaObject::Connection> m_connections;
    bool m_launchAtLogin = false;
    QString m_backupMessage;
    QString m_backupPath;
    QString m_pendingImport;
    bool m_confirmingImport = false;
    // The view's results are this pane's only while it waits for them.
    bool m_exporting = false;
    bool m_importing = false;
};

} // namespace zorv
