#include "loopbackhttpserver.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const char *reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

QList<QByteArray> LoopbackHttpServer::Request::headerValues(const QByteArray &name) const {
    QList<QByteArray> values;
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            values.append(value);
        }
    }
    return values;
}

LoopbackHttpServer::LoopbackHttpServer(QObject *parent) : QObject(parent) {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::onNewConnection);
}

QUrl LoopbackHttpServer::url(const QString &path) const {
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path));
}

QUrl LoopbackHttpServer::unusedUrl(const QString &path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(port).arg(path));
}

void LoopbackHttpServer::answerWith(int status, const QByteArray &body) {
    m_behaviour = Behaviour::Answer;
    m_status = status;
    m_body = body;
}

void LoopbackHttpServer::holdAnswers() {
    m_behaviour = Behaviour::Hold;
}

void LoopbackHttpServer::closeWithoutAnswer() {
    m_behaviour = Behaviour::Close;
}

void LoopbackHttpServer::answerHeld() {
    const auto held = std::exchange(m_held, {});
    for (const auto &socket : held) {
        if (socket) {
            respond(socket);
        }
    }
}

bool LoopbackHttpServer::waitForRequests(qsizetype count, std::chrono::milliseconds wallLimit) {
    return QTest::qWaitFor([&] { return m_requests.size() >= count; }, int(wallLimit.count()));
}

void LoopbackHttpServer::onNewConnection() {
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

// Reads every complete request buffered on the socket. Partial requests stay in the socket's
// buffer (peeked, not read) until the rest arrives.
void LoopbackHttpServer::readFrom(QTcpSocket *socket) {
    for (;;) {
        const QByteArray buffered = socket->peek(socket->bytesAvailable());
        const qsizetype headEnd = buffered.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return;
        }
        const QList<QByteArray> lines = buffered.first(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        Request request;
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            const QByteArray name = lines[i].first(colon).trimmed();
            const QByteArray value = lines[i].sliced(colon + 1).trimmed();
            request.headers.append({name, value});
            if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
                length = value.toLongLong();
            }
        }
        const qsizetype total = headEnd + 4 + length;
        if (buffered.size() < total) {
            return;
        }
        request.body = socket->read(total).sliced(headEnd + 4);
        m_requests.append(request);
        switch (m_behaviour) {
        case Behaviour::Answer:
            respond(socket);
            break;
        case Behaviour::Hold:
            m_held.append(socket);
            break;
        case Behaviour::Close:
            socket->abort();
            return;
        }
    }
}

void LoopbackHttpServer::respond(QTcpSocket *socket) {
    QByteArray response = "HTTP/1.1 " + QByteArray::number(m_status) + ' ' +
                          reasonPhrase(m_status) + "\r\nContent-Type: application/json\r\n" +
                          "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n\r\n" +
                          m_body;
    socket->write(response);
}

} // namespace zorv
