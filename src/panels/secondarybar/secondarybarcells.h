#pragma once

#include "menubaritem.h"

#include <QList>

namespace zorv {

// The cells of an open secondary bar after a new read of its lane: the cells stay in the order
// the user saw them, each taking its item's fresh picture and title; an item new to the lane gets
// a cell at the end, and a cell whose item is no longer listed keeps what it showed last (its
// item comes back to it by identity).
[[nodiscard]] QList<MenuBarItem> cellsKeptInPlace(QList<MenuBarItem> cells,
                                                  const QList<MenuBarItem> &items);

} // namespace zorv
