#pragma once

#include <QtGlobal>

#include <optional>

namespace zorv {

class Workspace;

// The process of the running Finder, whose menus are the ones in front at the desktop; none
// when Finder does not run.
[[nodiscard]] std::optional<qint32> finderProcess(const Workspace &workspace);

} // namespace zorv
