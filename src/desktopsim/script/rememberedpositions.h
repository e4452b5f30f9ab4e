#pragma once

#include <QHash>
#include <QString>

namespace zorv {

// The positions the system remembers for status items: by the owner's position key (its bundle
// identifier, else its name), then autosave name, the distance in points from the right end of
// the movable items.
using RememberedPositions = QHash<QString, QHash<QString, double>>;

} // namespace zorv
