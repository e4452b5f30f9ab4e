#pragma once

#include "menubaritem.h"
#include "sectionlayout.h"

#include <QList>

namespace zorv {

// The arrangement as it stands now: `layout`, with every item on the bar (not dormant, wider than
// 0) that the layout does not place yet appended to the end of the section the item is in, left to
// right (equal places keep the list's order), as the layout pane lists such items. Normalised.
// A move made against it, or a layout built on it, leaves those items in their section and order
// instead of leaving their place to whoever takes them in later.
[[nodiscard]] SectionLayout currentArrangement(const SectionLayout &layout,
                                               const QList<MenuBarItem> &items);

} // namespace zorv
