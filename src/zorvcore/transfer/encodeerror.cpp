#include "encodeerror.h"

namespace zorv {

namespace {

const char *messageFor(EncodeError::Reason reason) {
    switch (reason) {
    case EncodeError::Reason::TooLarge:
        return "The settings could not be written: they would make a file larger than 10 MB, "
               "which Zorv could not read back.";
    case EncodeError::Reason::NotWritable:
        break;
    }
    return "The settings could not be written: they hold a number that is not finite or rules "
           "nested too deeply to be read back.";
}

} // namespace

EncodeError::EncodeError(Reason reason)
    : std::runtime_error(messageFor(reason)), m_reason(reason) {}

QString EncodeError::message() const {
    return QString::fromUtf8(messageFor(m_reason));
}

QByteArray EncodeError::write(const QJsonValue &value, JsonFormat format) {
    auto bytes = writeJson(value, format);
    if (!bytes) {
        throw EncodeError();
    }
    return *std::move(bytes);
}

} // namespace zorv
