#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

namespace zorv {

// Why the engine cannot hide right now; shown to the user while hiding is suspended.
enum class HidingBlockedReason { iconMisseated, displayNotHiding };

inline size_t qHash(HidingBlockedReason reason, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(reason), seed);
}

// One line naming the problem.
[[nodiscard]] QString headline(HidingBlockedReason reason);
// What happened and what the engine does about it.
[[nodiscard]] QString detail(HidingBlockedReason reason);
// What the user can do when the problem keeps coming back; nullopt when nothing helps.
[[nodiscard]] std::optional<QString> userFix(HidingBlockedReason reason);

} // namespace zorv
