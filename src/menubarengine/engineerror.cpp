#include "engineerror.h"

namespace zorv {

const char *EngineFailure::what() const noexcept {
    switch (m_error) {
    case EngineError::notPermitted:
        return "notPermitted";
    case EngineError::itemNotFound:
        return "itemNotFound";
    case EngineError::moveFailed:
        return "moveFailed";
    case EngineError::activationFailed:
        return "activationFailed";
    case EngineError::unsupported:
        return "unsupported";
    }
    return "unknown";
}

} // namespace zorv
