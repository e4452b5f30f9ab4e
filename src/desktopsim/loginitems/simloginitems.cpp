#include "simloginitems.h"

namespace zorv {

std::optional<QString> SimLoginItems::setMainAppEnabled(bool enabled) {
    if (m_refusal) {
        return m_refusal;
    }
    m_enabled = enabled;
    return std::nullopt;
}

} // namespace zorv
