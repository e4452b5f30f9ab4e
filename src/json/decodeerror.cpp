#include "decodeerror.h"

namespace zorv {

DecodeError::DecodeError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()),
      m_path(std::move(path)), m_reason(std::move(reason)) {}

QString DecodeError::message() const {
    return m_path + QStringLiteral(": ") + m_reason;
}

} // namespace zorv
