#include "singleinstance.h"

#include "decodeerror.h"
#include "jsonreader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QPointer>
#include <QtDebug>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

std::optional<QStringList> decode(const QByteArray &bytes) {
    try {
        const JsonArrayRef array = JsonValueRef(parseJson(bytes)).toArray();
        return array.map<QString>();
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

} // namespace

SingleInstance::SingleInstance(QString serverName, uint user, QObject *parent)
    : QObject(parent), m_serverName(std::move(serverName)), m_user(user) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

uint SingleInstance::currentUser() {
    return ::getuid();
}

QString SingleInstance::socketPath(const QString &serverName) {
    return serverName.startsWith(u'/') ? serverName : QDir::tempPath() + u'/' + serverName;
}

bool SingleInstance::socketOfAnotherUser() const {
    struct stat status {};
    // The link itself, not what it points at: a link another user left counts as theirs.
    const QByteArray path = QFile::encodeName(socketPath(m_serverName));
    return ::lstat(path.constData(), &status) == 0 && status.st_uid != m_user;
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &bundleIdentifier, const QString &dataFolder) {
    const QByteArray folder = QDir(dataFolder).absolutePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Sha256);
    return bundleIdentifier + u'-' + QString::fromLatin1(digest.toHex().first(16));
}

bool SingleInstance::send(const QString &serverName, const QStringList &arguments) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(connectTimeoutMs)) {
        return false;
    }
    socket.write(
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact));
    const bool written = socket.waitForBytesWritten(connectTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(connectTimeoutMs);
    }
    return written;
}

bool SingleInstance::isRunning(const QString &serverName) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    const bool connected = socket.waitForConnected(connectTimeoutMs);
    socket.abort();
    return connected;
}

SingleInstance::Claim SingleInstance::claim(const QStringList &arguments) {
    const auto alone = [this] {
        qWarning().noquote() << u"Another user's socket is at"_s << socketPath(m_serverName)
                             << u"- later launches cannot reach this copy"_s;
        return Claim::RunningAlone;
    };
    // Our arguments go to no one else, and what is theirs is not ours to remove.
    if (socketOfAnotherUser()) {
        return alone();
    }
    if (send(m_serverName, arguments)) {
        return Claim::HandedOver;
    }
    if (m_server.listen(m_serverName)) {
        return Claim::Running;
    }
    // Another copy may have started listening meanwhile; otherwise the socket is a crashed
    // copy's leftover.
    if (socketOfAnotherUser()) {
        return alone();
    }
    if (send(m_serverName, arguments)) {
        return Claim::HandedOver;
    }
    QLocalServer::removeServer(m_serverName);
    (void)m_server.listen(m_serverName);
    return Claim::Running;
}

void SingleInstance::accept() {
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        const QPointer<QLocalSocket> guard(socket);
        connect(socket, &QLocalSocket::readyRead, this, [socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > maximumMessageBytes) {
                buffer->clear();
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, guard, buffer] {
            if (guard) {
                buffer->append(guard->readAll());
                guard->deleteLater();
            }
            if (buffer->isEmpty() || buffer->size() > maximumMessageBytes) {
                return;
            }
            if (const auto arguments = decode(*buffer)) {
                Q_EMIT received(*arguments);
            }
        });
    }
}

} // namespace zorv
