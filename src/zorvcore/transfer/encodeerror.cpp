#include "encodeerror.h"

namespace zorv {

namespace {

const char kMessage[] = "The settings could not be written: they hold a number that is not finite "
                        "or rules nested too deeply to be read back.";

} // namespace

EncodeError::EncodeError() : std::runtime_error(kMessage) {}

QString EncodeError::message() const {
    return QString::fromUtf8(kMessage);
}

QByteArray EncodeError::write(const QJsonValue &value, JsonFormat format) {
    auto bytes = writeJson(value, format);
    if (!bytes) {
        throw EncodeError();
    }
    return *std::move(bytes);
}

} // namespace zorv
