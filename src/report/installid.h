#pragma once

#include <QString>

namespace zorv {

// The random identifier of this installation, sent with problem reports so that reports from
// one Mac can be told apart without saying whose Mac it is. Kept in "install.json" in the data
// folder as {"install":"<UUID>"}.
class InstallID {
public:
    InstallID() = delete;

    // The stored identifier; a missing, unreadable or damaged file (not an object of strings, or
    // an empty "install") is replaced by one holding a new identifier. A failed write is ignored:
    // the next reading then draws another identifier.
    [[nodiscard]] static QString value(const QString &dataFolder);
};

} // namespace zorv
