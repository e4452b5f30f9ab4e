#pragma once

#include "script/rememberedpositions.h"

#include <QString>

#include <optional>

namespace zorv {

// The simulated Mac's remembered status-item positions kept in a file between runs
// ("--sim-positions FILE"), so a second run finds items, Zorv's own included, where the first one
// left them. The file holds the same object as a scenario's "rememberedPositions": {owner:
// {autosaveName: points}}.
class KeptPositionsFile {
public:
    // Empty when nothing is kept there yet (no file). Throws ScenarioError naming the file, and
    // the key path for a bad value, when it cannot be read or holds anything else.
    [[nodiscard]] static RememberedPositions read(const QString &path);
    // Written atomically with the canonical writer; the reason when it could not be written.
    [[nodiscard]] static std::optional<QString> write(const QString &path,
                                                      const RememberedPositions &positions);
};

} // namespace zorv
