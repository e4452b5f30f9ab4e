#pragma once

#include "jsonwriter.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

#include <stdexcept>

namespace zorv {

// A value that cannot be written as a document that reads back: a number that is not finite,
// nesting deeper than a reader would accept, or a document larger than import takes. Thrown by
// the export and sync encoders so that such a value never turns into a file that cannot be read.
class EncodeError : public std::runtime_error {
public:
    enum class Reason { NotWritable, TooLarge };

    explicit EncodeError(Reason reason = Reason::NotWritable);

    [[nodiscard]] Reason reason() const { return m_reason; }
    // The text shown to the user.
    [[nodiscard]] QString message() const;

    // writeJson(), throwing EncodeError where it gives nothing.
    [[nodiscard]] static QByteArray write(const QJsonValue &value, JsonFormat format);

private:
    Reason m_reason;
};

} // namespace zorv
