#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

namespace zorv {

// One running copy per user and data folder. The first copy listens on a local socket named
// after the bundle identifier and the data folder, which only its own user may reach; a later
// copy connects, hands over its launch arguments (options and "zorv://" addresses alike; none
// when it is only opened again) and exits, and the running copy announces them with received().
// The hand-over is a JSON array of strings, at most maximumMessageBytes; anything else, a
// connection that sends nothing included, is dropped. A socket file of that name that
// another user owns is neither sent to nor removed: the copy then runs without answering later
// launches. Main thread.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        Running,
        HandedOver,
        // Another user's socket holds the name: running, but later launches cannot reach it.
        RunningAlone,
    };

    static constexpr qint64 maximumMessageBytes = 64 * 1024;
    static constexpr int connectTimeoutMs = 1000;

    // `user` is the user this copy runs as (the process's own unless a test says otherwise).
    explicit SingleInstance(QString serverName, uint user = currentUser(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket's name: the bundle identifier and a digest of the data folder's absolute path
    // (short enough for a socket path, whatever the folder's length).
    [[nodiscard]] static QString serverName(const QString &bundleIdentifier,
                                            const QString &dataFolder);

    // Hands `arguments` to a running copy (HandedOver), or becomes the running copy (Running).
    // A socket left behind by a copy that crashed is taken over.
    [[nodiscard]] Claim claim(const QStringList &arguments);
    // Whether a copy is listening under the name (it receives an empty, dropped connection).
    [[nodiscard]] static bool isRunning(const QString &serverName);
    // Where the socket of that name lies.
    [[nodiscard]] static QString socketPath(const QString &serverName);
    [[nodiscard]] static uint currentUser();

Q_SIGNALS:
    // Another launch handed over its arguments.
    void received(const QStringList &arguments);

private:
    [[nodiscard]] static bool send(const QString &serverName, const QStringList &arguments);
    // Whether a file lies at the socket's path that another user owns.
    [[nodiscard]] bool socketOfAnotherUser() const;
    void accept();

    QString m_serverName;
    uint m_user;
    QLocalServer m_server;
};

} // namespace zorv
