#include "storeerror.h"

namespace zorv {

StoreError::StoreError(QString message)
    : std::runtime_error(message.toStdString()), m_message(std::move(message)) {}

} // namespace zorv
