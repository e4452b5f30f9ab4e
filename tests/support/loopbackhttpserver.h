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

namespace zorv {

// A small HTTP/1.1 server on 127.0.0.1 for tests that make real requests. It records every
// request it reads (method, path, headers in order, raw body) and answers each in the way it was
// set to: with any status and body, not yet (until answerHeld()), or by closing the connection
// without a word. A test that needs nothing listening takes unusedUrl().
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

    explicit LoopbackHttpServer(QObject *parent = nullptr);

    // The address of `path` on this server.
    [[nodiscard]] QUrl url(const QString &path) const;
    // An address on the loopback interface where nothing listens.
    [[nodiscard]] static QUrl unusedUrl(const QString &path);

    // How the next requests are answered.
    void answerWith(int status, const QByteArray &body);
    void holdAnswers();
    void closeWithoutAnswer();
    // Answers the held requests with the status and body last given to answerWith().
    void answerHeld();

    [[nodiscard]] const QList<Request> &requests() const { return m_requests; }
    // Runs the event loop until `count` requests have arrived in full; false after `wallLimit`.
    bool waitForRequests(qsizetype count,
                         std::chrono::milliseconds wallLimit = std::chrono::milliseconds(5000));

private:
    void onNewConnection();
    void readFrom(QTcpSocket *socket);
    void respond(QTcpSocket *socket);

    QTcpServer m_server;
    Behaviour m_behaviour = Behaviour::Answer;
    int m_status = 200;
    QByteArray m_body;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_held;
};

} // namespace zorv
