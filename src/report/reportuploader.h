#pragma once

#include "clock.h"

#include <QByteArray>
#include <QCoroTask>
#include <QNetworkRequest>
#include <QString>

#include <optional>

class QNetworkAccessManager;

namespace zorv::ReportProblem {

// What came back for one request: either a transport failure (nothing answered, the connection
// broke, the time-out passed) with the system's description, or an answer with its status
// (0 when the answer is not HTTP) and body.
struct UploadReply {
    std::optional<QString> failure;
    int status = 0;
    QByteArray body;
};

// Posts one request and waits for its answer, at most `timeout` on the given clock. No retries.
class Uploader {
public:
    Uploader() = delete;

    // The description of a request that ran past its time-out.
    static inline const QString timedOut = QStringLiteral("The request timed out.");
    // The description of a request whose network went away before it ended.
    static inline const QString cancelled = QStringLiteral("The request was cancelled.");

    // Both pointers must outlive the returned task.
    [[nodiscard]] static QCoro::Task<UploadReply> post(QNetworkAccessManager *network, Clock *clock,
                                                       QNetworkRequest request, QByteArray body,
                                                       Duration timeout);
};

} // namespace zorv::ReportProblem
