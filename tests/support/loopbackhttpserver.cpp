#include "loopbackhttpserver.h"

#include <QTest>

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
        } else {
            respond(socket);
        }
    }
}

void LoopbackHttpServer::respond(QTcpSocket *socket) {
    QByteArray extra;
    for (const auto &[name, value] : std::as_const(m_answerHeaders)) {
        extra += name + ": " + value + "\r\n";
    }
    socket->write("HTTP/1.1 " + QByteArray::number(m_status) +
                  " Status\r\nContent-Type: application/json\r\n" + extra +
                  "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
}

} // namespace zorv
