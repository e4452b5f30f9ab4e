#pragma once

#include "cancellation.h"

#include "clock.h"

#include <QByteArray>
#include <QCoroTask>
#include <QNetworkRequest>
#include <QString>

#include <optional>

class QNetworkAccessManager;

namespace zorv::ReportProblem {

// What came back for one request: either a transport failure (nothing answered, the connection
// broke, the answer was cut short, redirected or too long, the time-out passed) with a
// description, or an answer with its status (0 when the answer is not HTTP) and body.
struct UploadReply {
    std::optional<QString> failure;
    int status = 0;
    QByteArray body;
};

// Posts one request and waits for its answer, at most `timeout` on the given clock (counted by
// Clock::sleepForNetwork(), the request outstanding meanwhile, see NetworkRequests). No retries,
// and no redirects: the body and its token go to the one address they were meant for. At most
// `replyLimit` bytes of an answer are ever held; a longer one is given up as it arrives.
class Uploader {
public:
    Uploader() = delete;

    // The most an answer may hold.
    static constexpr qint64 replyLimit = 64 * 1024;

    // The description of a request that ran past its time-out.
    static inline const QString timedOut = QStringLiteral("The request timed out.");
    // The description of a request whose network went away, or that its caller stopped, before
    // it ended.
    static inline const QString cancelled = QStringLiteral("The request was cancelled.");
    // The description of an answer that sent the request on to another address.
    static inline const QString redirected =
        QStringLiteral("The server sent the report on to another address, which is not followed.");
    // The description of an answer longer than replyLimit.
    static inline const QString tooLong =
        QStringLiteral("The answer was longer than 64 KiB and was not read.");

    // Both pointers must outlive the returned task. Cancelling `stop` ends the request at once.
    [[nodiscard]] static QCoro::Task<UploadReply> post(QNetworkAccessManager *network, Clock *clock,
                                                       QNetworkRequest request, QByteArray body,
                                                       Duration timeout, CancellationToken stop);
};

} // namespace zorv::ReportProblem
