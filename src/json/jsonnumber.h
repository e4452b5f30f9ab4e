#pragma once

#include <QByteArray>
#include <QJsonValue>

#include <optional>

namespace zorv {

// Whether the number is held as an integer. parseJson() holds every whole number within the
// 64-bit range as one, however it is written ("20", "20.0", "2e1"); a QJsonValue made from a
// double is held as one when it is integral within +-2^53. Fractions and whole numbers beyond
// those ranges are held as doubles.
[[nodiscard]] bool isIntegerStorage(const QJsonValue &number);

// The canonical text of a JSON number: integers (and integral doubles within +-2^53) in plain
// decimal, other doubles in their shortest round-trip form ("0.1", "1e+300"). nullopt for a
// non-finite number, which JSON cannot hold.
[[nodiscard]] std::optional<QByteArray> jsonNumberText(const QJsonValue &number);

} // namespace zorv
