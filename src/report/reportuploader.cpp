#include "reportuploader.h"

#include "cancellation.h"

#include <QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

#include <memory>

namespace zorv::ReportProblem {

namespace {

QCoro::Task<> abortWhenLate(Clock *clock, Duration timeout, QPointer<QNetworkReply> reply,
                            CancellationToken answered, std::shared_ptr<bool> late) {
    const SleepOutcome outcome = co_await clock->sleep(timeout, answered);
    if (outcome == SleepOutcome::Elapsed && reply && !reply->isFinished()) {
        *late = true;
        reply->abort();
    }
}

} // namespace

QCoro::Task<UploadReply> Uploader::post(QNetworkAccessManager *network, Clock *clock,
                                        QNetworkRequest request, QByteArray body,
                                        Duration timeout) {
    // The network access manager deletes its replies when it goes, possibly during the wait.
    const QPointer<QNetworkReply> reply = network->post(request, body);
    CancellationSource answered;
    auto late = std::make_shared<bool>(false);
    abortWhenLate(clock, timeout, reply, answered.token(), late);
    co_await qCoro(reply.data()).waitForFinished();
    answered.cancel();

    UploadReply result;
    if (!reply) {
        result.failure = cancelled;
        co_return result;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (*late) {
        result.failure = timedOut;
    } else if (!status.isValid() && reply->error() != QNetworkReply::NoError) {
        result.failure = reply->errorString();
    } else {
        result.status = status.isValid() ? status.toInt() : 0;
        result.body = reply->readAll();
    }
    reply->deleteLater();
    co_return result;
}

} // namespace zorv::ReportProblem
