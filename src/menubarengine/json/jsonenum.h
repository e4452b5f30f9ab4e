#pragma once

#include "jsonreader.h"

#include <QJsonObject>
#include <QStringList>

namespace zorv {

// Enumerations with payloads are written as an object with exactly one key, the case name, whose
// value is an object with the payloads under "_0" and "_1" (empty for a case without payload):
// {"batteryBelow": {"_0": 20}}, {"onBattery": {}}.
struct JsonEnumCase {
    QString name;
    JsonObjectRef payload;
};

// Finds the one recognised case key among `caseNames` (other keys are ignored). Throws
// DecodeError "Invalid number of keys found, expected one." when none or several are present, and
// when the value under the case key is not an object.
[[nodiscard]] JsonEnumCase decodeEnumCase(const JsonValueRef &value, const QStringList &caseNames);

[[nodiscard]] QJsonObject encodeEnumCase(const QString &name);
[[nodiscard]] QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first);
[[nodiscard]] QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first,
                                         const QJsonValue &second);

} // namespace zorv
