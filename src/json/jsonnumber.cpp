#include "jsonnumber.h"

#include <QVariant>

#include <charconv>
#include <cmath>

namespace zorv {

namespace {

constexpr double kExactIntegerLimit = 9007199254740992.0; // 2^53

template <typename Number> QByteArray toChars(Number number) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return QByteArray(buffer, result.ptr - buffer);
}

} // namespace

bool isIntegerStorage(const QJsonValue &number) {
    return number.toVariant().typeId() == QMetaType::LongLong;
}

std::optional<QByteArray> jsonNumberText(const QJsonValue &number) {
    if (isIntegerStorage(number)) {
        return toChars(number.toInteger());
    }
    const double value = number.toDouble();
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (std::trunc(value) == value && std::fabs(value) <= kExactIntegerLimit) {
        // Also turns -0.0 into "0": the sign of zero carries nothing in these files.
        return toChars(static_cast<qint64>(value));
    }
    return toChars(value);
}

} // namespace zorv
