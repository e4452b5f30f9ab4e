#include "loginsession.h"

#include <QString>

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The start in milliseconds since 1970; absent for a record whose time is out of range.
std::optional<qint64> startMSecs(const ProcessRecord &record) {
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 1000 - 1;
    if (record.startMicroseconds < 0 || record.startMicroseconds >= 1'000'000 ||
        record.startSeconds > limit || record.startSeconds < -limit) {
        return std::nullopt;
    }
    return record.startSeconds * 1000 + record.startMicroseconds / 1000;
}

} // namespace

std::optional<QDateTime> LoginSession::startedAt(const ProcessTable &processes) {
    const auto records = processes.processes();
    if (!records) {
        return std::nullopt;
    }
    const quint32 userId = processes.currentUserId();
    std::optional<qint64> earliest;
    for (const ProcessRecord &record : *records) {
        if (record.userId != userId || record.command != u"loginwindow"_s) {
            continue;
        }
        const auto start = startMSecs(record);
        if (start && (!earliest || *start < *earliest)) {
            earliest = start;
        }
    }
    if (!earliest) {
        return std::nullopt;
    }
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(*earliest, Qt::UTC);
    return date.isValid() ? std::optional<QDateTime>(date) : std::nullopt;
}

} // namespace zorv
