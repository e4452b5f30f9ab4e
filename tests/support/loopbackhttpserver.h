#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <chrono>
#include <optional>

namespace zorv {

// A small HTTP/1.1 server on 127.0.0.1 for tests that make real requests. It records every
// request (method, path, headers in order, raw body) and answers it with the status, extra
// headers and body it was given, holds the answer until answerHeld(), closes the connection
// without a word, cuts the answer short (announces more than it sends, then closes) or floods
// (announces and streams a body of any size, never holding more than a chunk of it), or answers
// each request after a delay of real time, as a distant server does.
// unusedUrl() is an address where nothing listens.
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    // Flood and FloodUnannounced stream the announced length of body, the second without saying
    // how long it is (the body then ends when the connection closes).
    enum class Behaviour { Answer, Hold, Close, CutShort, Flood, FloodUnannounced, Delay };

    struct Request {
        QByteArray method;
        QByteArray path;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        // Every value of the header (name compared without case), in order.
        [[nodiscard]] QList<QByteArray> headerValues(const QByteArray &name) const;
    };

    LoopbackHttpServer();

    [[nodiscard]] QUrl url(const QString &path) const;
    [[nodiscard]] static QUrl unusedUrl(const QString &path);

    // How the next requests are answered; held and later answered ones get `status` and `body`.
    void setBehaviour(Behaviour behaviour, int status = 200, const QByteArray &body = {});
    // Headers sent with every answer after Content-Type and Content-Length ("Location", ...).
    void setExtraHeaders(const QList<QPair<QByteArray, QByteArray>> &headers);
    // The Content-Length that CutShort announces (it sends only the body), and the body size
    // that the floods stream.
    void setAnnouncedLength(qint64 length);
    // How long Delay holds each answer, in real time.
    void setDelay(std::chrono::milliseconds delay) { m_delay = delay; }
    void answerHeld();
    // How many body bytes Flood has written so far, over every connection.
    [[nodiscard]] qint64 bytesFlooded() const { return m_flooded; }

    [[nodiscard]] const QList<Request> &requests() const { return m_requests; }
    // Runs the event loop until `count` requests have arrived in full; false after 5 s.
    bool waitForRequests(qsizetype count);

private:
    void readFrom(QTcpSocket *socket);
    void respond(QTcpSocket *socket);
    [[nodiscard]] QByteArray head(std::optional<qint64> length) const;
    void flood(QTcpSocket *socket);

    QTcpServer m_server;
    Behaviour m_behaviour = Behaviour::Answer;
    int m_status = 200;
    QByteArray m_body;
    QList<QPair<QByteArray, QByteArray>> m_extraHeaders;
    qint64 m_announcedLength = 0;
    std::chrono::milliseconds m_delay{500};
    qint64 m_flooded = 0;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_held;
};

} // namespace zorv
