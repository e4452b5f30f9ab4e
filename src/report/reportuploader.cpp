#include "reportuploader.h"

#include "cancellation.h"
#include "networkrequests.h"

#include <QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

#include <memory>

namespace zorv::ReportProblem {

namespace {

// Why a request was given up before its answer was complete.
enum class GivenUp { No, Late, TooLong };

QCoro::Task<> abortWhenLate(Clock *clock, Duration timeout, QPointer<QNetworkReply> reply,
                            CancellationToken answered, std::shared_ptr<GivenUp> givenUp) {
    const SleepOutcome outcome = co_await clock->sleepForNetwork(timeout, answered);
    if (outcome == SleepOutcome::Elapsed && reply && !reply->isFinished()) {
        *givenUp = GivenUp::Late;
        reply->abort();
    }
}

// Whether the exchange broke: no answer came (any error without a status), or the connection
// failed under an answer that had begun (a body cut short). An error that only echoes the
// status (400 as a protocol error, 404 as content not found, 500 as a server error) is an
// answer like any other.
bool broke(const QNetworkReply &reply, bool hasStatus) {
    const int code = reply.error();
    return hasStatus
               ? code > QNetworkReply::NoError && code < QNetworkReply::ProxyConnectionRefusedError
               : code != QNetworkReply::NoError;
}

// Moves what has arrived into `body`, never holding more than one byte past the limit, and gives
// the reply up once the limit is passed.
void takeArrived(QNetworkReply &reply, QByteArray &body, GivenUp &givenUp) {
    if (givenUp != GivenUp::No) {
        return;
    }
    const QByteArray arrived = reply.read(Uploader::replyLimit + 1 - body.size());
    body += arrived;
    if (body.size() > Uploader::replyLimit) {
        givenUp = GivenUp::TooLong;
        body.clear();
        reply.abort();
    }
}

} // namespace

QCoro::Task<UploadReply> Uploader::post(QNetworkAccessManager *network, Clock *clock,
                                        QNetworkRequest request, QByteArray body, Duration timeout,
                                        CancellationToken stop) {
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    // The network access manager deletes its replies when it goes, possibly during the wait.
    const QPointer<QNetworkReply> reply = network->post(request, body);
    NetworkRequests::countUntil(reply.data(), &QNetworkReply::finished);
    // The network stack stops reading once this much waits unread.
    reply->setReadBufferSize(replyLimit);
    auto givenUp = std::make_shared<GivenUp>(GivenUp::No);
    auto answer = std::make_shared<QByteArray>();
    // An answer that announces more than the limit is given up before its body arrives.
    QObject::connect(
        reply, &QNetworkReply::metaDataChanged, reply, [target = reply.data(), givenUp] {
            const QVariant length = target->header(QNetworkRequest::ContentLengthHeader);
            if (*givenUp == GivenUp::No && length.isValid() && length.toLongLong() > replyLimit) {
                *givenUp = GivenUp::TooLong;
                target->abort();
            }
        });
    QObject::connect(
        reply, &QNetworkReply::readyRead, reply,
        [target = reply.data(), answer, givenUp] { takeArrived(*target, *answer, *givenUp); });
    CancellationSource answered;
    abortWhenLate(clock, timeout, reply, answered.token(), givenUp);
    const quint64 stopping = stop.onCancel([reply] {
        if (reply && !reply->isFinished()) {
            reply->abort();
        }
    });
    co_await qCoro(reply.data()).waitForFinished();
    stop.removeCallback(stopping);
    answered.cancel();

    UploadReply result;
    if (!reply || stop.isCancelled()) {
        result.failure = cancelled;
        co_return result;
    }
    takeArrived(*reply, *answer, *givenUp);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (*givenUp == GivenUp::Late) {
        result.failure = timedOut;
    } else if (*givenUp == GivenUp::TooLong) {
        result.failure = tooLong;
    } else if (broke(*reply, status.isValid())) {
        result.failure = reply->errorString();
    } else if (reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid()) {
        result.failure = redirected;
    } else {
        result.status = status.isValid() ? status.toInt() : 0;
        result.body = std::move(*answer);
    }
    reply->deleteLater();
    co_return result;
}

} // namespace zorv::ReportProblem
