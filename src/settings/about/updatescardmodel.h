#pragma once

#include "modelview.h"
#include "settingsservices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

// The About pane's updates card: the update status line with its note, the buttons that fit the
// status (Release Notes and Install for an offered version, else Check Now) and the automatic
// check switch once the updater has said how it is set. The update work is the shell's; the card
// only reads the model's update status and calls its commands. Made in QML with `view` and
// `services` set; main thread.
class UpdatesCardModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(zorv::SettingsServices *services MEMBER m_services NOTIFY statusChanged)
    Q_PROPERTY(QString statusLine READ statusLine NOTIFY statusChanged)
    Q_PROPERTY(QString note READ note NOTIFY statusChanged)
    Q_PROPERTY(bool offered READ offered NOTIFY statusChanged)
    Q_PROPERTY(QString installTitle READ installTitle NOTIFY statusChanged)
    Q_PROPERTY(bool releaseNotesShown READ releaseNotesShown NOTIFY statusChanged)
    Q_PROPERTY(bool checkNowEnabled READ checkNowEnabled NOTIFY statusChanged)
    Q_PROPERTY(bool automaticChecksShown READ automaticChecksShown NOTIFY automaticChecksChanged)
    Q_PROPERTY(bool automaticChecks READ automaticChecks WRITE setAutomaticChecks NOTIFY
                   automaticChecksChanged)

public:
    explicit UpdatesCardModel(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] QString statusLine() const;
    // When the last check was, or why this copy cannot update.
    [[nodiscard]] QString note() const;
    // A newer version is offered: Release Notes and Install instead of Check Now.
    [[nodiscard]] bool offered() const;
    // "Install v2.1".
    [[nodiscard]] QString installTitle() const;
    // The offered version makes a release-notes address.
    [[nodiscard]] bool releaseNotesShown() const;
    // Not while a check runs, nor when this copy cannot update.
    [[nodiscard]] bool checkNowEnabled() const;
    [[nodiscard]] bool automaticChecksShown() const;
    [[nodiscard]] bool automaticChecks() const;
    void setAutomaticChecks(bool enabled);

    // The product site's release notes of `version`: the version, text from the network, is one
    // path segment, percent-encoded, so it can neither leave the release-notes folder nor add a
    // query. Nothing for an empty version.
    [[nodiscard]] static std::optional<QUrl> releaseNotesUrl(const QString &version);

    Q_INVOKABLE void checkNow();
    Q_INVOKABLE void install();
    Q_INVOKABLE void openReleaseNotes();

Q_SIGNALS:
    void viewChanged();
    void statusChanged();
    void automaticChecksChanged();

private:
    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace zorv
