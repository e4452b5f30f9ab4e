#pragma once

#include "updates/updaterwindow.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class SimUpdater;

// What one of the update framework's windows shows and how its buttons and keys answer the
// framework. The update window: Install Update (the default, also Return), Remind Me Later (also
// Escape and the close button) and Skip This Version. An alert: OK (Return and Escape). Every
// answer is given once; later presses do nothing.
class UpdaterWindowContent : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool offersUpdate READ offersUpdate CONSTANT)
    Q_PROPERTY(QString headline READ headline CONSTANT)
    Q_PROPERTY(QString message READ message CONSTANT)
    Q_PROPERTY(QString notesTitle READ notesTitle CONSTANT)
    Q_PROPERTY(QString releaseNotes READ releaseNotes CONSTANT)
    QML_ELEMENT
    QML_UNCREATABLE("Made by the update framework's windows.")

public:
    // `updater` may go first; the answers then do nothing.
    UpdaterWindowContent(UpdaterWindow window, SimUpdater &updater, QObject *parent = nullptr);

    [[nodiscard]] bool offersUpdate() const {
        return m_window.kind == UpdaterWindow::Kind::UpdateFound;
    }
    [[nodiscard]] const QString &headline() const { return m_window.headline; }
    [[nodiscard]] const QString &message() const { return m_window.message; }
    [[nodiscard]] const QString &notesTitle() const { return m_window.notesTitle; }
    [[nodiscard]] const QString &releaseNotes() const { return m_window.releaseNotes; }

    Q_INVOKABLE void installUpdate();
    Q_INVOKABLE void remindLater();
    Q_INVOKABLE void skipVersion();
    Q_INVOKABLE void acknowledge();
    // Return: the default button.
    Q_INVOKABLE void pressDefault();
    // Escape or the close button: the cancel button.
    Q_INVOKABLE void cancel();

private:
    // Gives the window's one answer, when it is one for this kind of window: an update window's
    // (`toTheOffer`) or an alert's.
    void answer(bool toTheOffer, void (SimUpdater::*call)());

    UpdaterWindow m_window;
    QPointer<SimUpdater> m_updater;
    bool m_answered = false;
};

} // namespace zorv
