#pragma once

#include <QDateTime>

namespace zorv {

// Far before any real date, so every "more than N seconds ago" test against it passes.
inline QDateTime distantPast() {
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

} // namespace zorv
