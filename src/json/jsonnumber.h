#pragma once

#include <QByteArray>
#include <QJsonValue>

#include <optional>

namespace zorv {

// Whether the number is held as an integer. Qt keeps integral numbers within +-2^53 as integers
// whatever their source ("20", "20.0", "2e1", QJsonValue(20.0)); only fractions and integral
// values beyond that range are held as doubles.
[[nodiscard]] bool isIntegerStorage(const QJsonValue &number);

// The canonical text of a JSON number: integers (and integral doubles within +-2^53) in plain
// decimal, other doubles in their shortest round-trip form ("0.1", "1e+300"). nullopt for a
// non-finite number, which JSON cannot hold.
[[nodiscard]] std::optional<QByteArray> jsonNumberText(const QJsonValue &number);

} // namespace zorv
