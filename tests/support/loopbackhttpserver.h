#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace zorv {

// A small HTTP/1.1 server on 127.0.0.1 for tests that make real requests. It records every
// request (method, path, headers in order, raw body) and answers it with the status and body it
// was given, holds the answer until answerHeld(), or closes the connection without a word.
// unusedUrl() is an address where nothing listens.
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    enum class Behaviour { Answer, Hold, Close };

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
    void answerHeld();
    // Headers every answer carries besides its type and length (a redirect's "Location").
    void setAnswerHeaders(QList<QPair<QByteArray, QByteArray>> headers) {
        m_answerHeaders = std::move(headers);
    }

    [[nodiscard]] const QList<Request> &requests() const { return m_requests; }
    // Runs the event loop until `count` requests have arrived in full; false after 5 s.
    bool waitForRequests(qsizetype count);

private:
    void readFrom(QTcpSocket *socket);
    void respond(QTcpSocket *socket);

    QTcpServer m_server;
    Behaviour m_behaviour = Behaviour::Answer;
    int m_status = 200;
    QByteArray m_body;
    QList<QPair<QByteArray, QByteArray>> m_answerHeaders;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_held;
};

} // namespace zorv
