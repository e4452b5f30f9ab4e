#include "loopbackhttpserver.h"

#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {

QList<QByteArray> LoopbackHttpServer::Request::headerValues(const QByteArray &name) const {
    QList<QByteArray> values;
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            values.append(value);
        }
    }
    return values;
}

LoopbackHttpServer::LoopbackHttpServer() {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LoopbackHttpServer::url(const QString &path) const {
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path));
}

QUrl LoopbackHttpServer::unusedUrl(const QString &path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(probe.serverPort()).arg(path));
}

void LoopbackHttpServer::setBehaviour(Behaviour behaviour, int status, const QByteArray &body) {
    m_behaviour = behaviour;
    m_status = status;
    m_body = body;
}

void LoopbackHttpServer::setExtraHeaders(const QList<QPair<QByteArray, QByteArray>> &headers) {
    m_extraHeaders = headers;
}

void LoopbackHttpServer::setAnnouncedLength(qint64 length) {
    m_announcedLength = length;
}

void LoopbackHttpServer::answerHeld() {
    for (const auto &socket : std::exchange(m_held, {})) {
        if (socket) {
            respond(socket);
        }
    }
}

bool LoopbackHttpServer::waitForRequests(qsizetype count) {
    return QTest::qWaitFor([&] { return m_requests.size() >= count; }, 5000);
}

// Takes every complete request off the socket; a partial one waits in its buffer.
void LoopbackHttpServer::readFrom(QTcpSocket *socket) {
    for (;;) {
        const QByteArray buffered = socket->peek(socket->bytesAvailable());
        const qsizetype headEnd = buffered.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return;
        }
        const QList<QByteArray> lines = buffered.first(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        Request request{requestLine.value(0), requestLine.value(1), {}, {}};
        qsizetype length = 0;
        for (const QByteArray &line : lines.sliced(1)) {
            const qsizetype colon = line.indexOf(':');
            request.headers.append({line.first(colon).trimmed(), line.sliced(colon + 1).trimmed()});
        }
        if (const auto values = request.headerValues("Content-Length"); !values.isEmpty()) {
            length = values.first().toLongLong();
        }
        if (buffered.size() < headEnd + 4 + length) {
            return;
        }
        request.body = socket->read(headEnd + 4 + length).sliced(headEnd + 4);
        m_requests.append(request);
        if (m_behaviour == Behaviour::Close) {
            socket->abort();
            return;
        }
        if (m_behaviour == Behaviour::Hold) {
            m_held.append(socket);
        } else if (m_behaviour == Behaviour::Delay) {
            QTimer::singleShot(m_delay, socket, [this, socket] { respond(socket); });
        } else {
            respond(socket);
        }
    }
}

QByteArray LoopbackHttpServer::head(std::optional<qint64> length) const {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(m_status) +
                      " Status\r\nContent-Type: application/json\r\n";
    head += length ? "Content-Length: " + QByteArray::number(*length) + "\r\n"
                   : QByteArray("Connection: close\r\n");
    for (const auto &[name, value] : m_extraHeaders) {
        head += name + ": " + value + "\r\n";
    }
    return head + "\r\n";
}

void LoopbackHttpServer::respond(QTcpSocket *socket) {
    switch (m_behaviour) {
    case Behaviour::CutShort:
        socket->write(head(m_announcedLength) + m_body);
        socket->disconnectFromHost();
        return;
    case Behaviour::Flood:
    case Behaviour::FloodUnannounced:
        socket->write(head(m_behaviour == Behaviour::Flood ? std::optional(m_announcedLength)
                                                           : std::nullopt));
        flood(socket);
        return;
    default:
        socket->write(head(m_body.size()) + m_body);
    }
}

// Streams the announced body a chunk at a time, topping up whenever the last chunk has gone, until
// it is all out or the other side has closed.
void LoopbackHttpServer::flood(QTcpSocket *socket) {
    static constexpr qint64 chunkSize = 64 * 1024;
    const QByteArray chunk(chunkSize, 'x');
    auto sent = std::make_shared<qint64>(0);
    const auto topUp = [this, socket, chunk, sent] {
        if (socket->bytesToWrite() > 0 || socket->state() != QAbstractSocket::ConnectedState) {
            return;
        }
        const qint64 size = std::min(chunkSize, m_announcedLength - *sent);
        if (size <= 0) {
            socket->disconnectFromHost();
            return;
        }
        socket->write(chunk.first(size));
        *sent += size;
        m_flooded += size;
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, topUp);
    topUp();
}

} // namespace zorv
