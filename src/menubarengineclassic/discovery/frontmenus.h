#pragma once

#include <QtGlobal>

#include <optional>

namespace zorv {

class Accessibility;

// Where the frontmost application's menus end on the menu bar: the right edge, in global points,
// of the rightmost child of its "AXMenuBar". Status items left of it are covered by the menus.
// Absent when the menus cannot be read (no permission, no answer in time, no menus). A
// synchronous request to another process: call it from a worker thread.
[[nodiscard]] std::optional<double> frontMenusRightEdge(Accessibility &accessibility,
                                                        qint32 processId);

} // namespace zorv
