#pragma once

#include "jsonwriter.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

#include <stdexcept>

namespace zorv {

// A value that cannot be written as JSON: a number that is not finite, or nesting deeper than a
// reader would accept. Thrown by the export and sync encoders so that such a value never turns
// into a document that cannot be read back.
class EncodeError : public std::runtime_error {
public:
    EncodeError();

    // The text shown to the user.
    [[nodiscard]] QString message() const;

    // writeJson(), throwing EncodeError where it gives nothing.
    [[nodiscard]] static QByteArray write(const QJsonValue &value, JsonFormat format);
};

} // namespace zorv
