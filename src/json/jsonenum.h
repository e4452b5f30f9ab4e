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
    // The object under the case key; read "_0" and "_1" from it. Other keys in it are ignored.
    JsonObjectRef payload;
};

// Finds the one recognised case key among `caseNames`; keys that are not case names are ignored
// and do not count. Throws DecodeError "Invalid number of keys found, expected one." at the
// object's path when none or several case keys are present, and a type error at the case key's
// path when the value under it is not an object (also for cases without payload).
[[nodiscard]] JsonEnumCase decodeEnumCase(const JsonValueRef &value, const QStringList &caseNames);

[[nodiscard]] QJsonObject encodeEnumCase(const QString &name);
[[nodiscard]] QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first);
[[nodiscard]] QJsonObject encodeEnumCase(const QString &name, const QJsonValue &first,
                                         const QJsonValue &second);

} // namespace zorv
