#pragma once

#include "discovereditem.h"
#include "sectionlayout.h"

#include <QList>

namespace zorv {

// Names the items of one application that nothing tells apart (no identifier, and the same title
// and width as another of its items) after the wanted layout. Such siblings are interchangeable,
// so the registry can only number them by position, and every drag of one would rename the others
// and have the layout ask for a different item after each run. Instead, of the layout's ids for
// them, each lane's siblings take that lane's ids, left to right in the lane's order, as far as
// the counts allow (a sibling left over takes one a lane lacks, or keeps its own number when the
// layout has none to spare): the layout then asks only for how many of them stand in each lane,
// and a sibling keeps its name when it is dragged where the layout wants it. Pure function.
class SiblingOrdinals {
public:
    SiblingOrdinals() = delete;

    // `found` as discovery lists it, `lanes` the lane each item sits in (same length); returns
    // `found` with the siblings' ordinals exchanged among the ids the layout and the registry
    // give them. Ordinals stay distinct within each process.
    [[nodiscard]] static QList<DiscoveredItem>
    named(QList<DiscoveredItem> found, const QList<Section> &lanes, const SectionLayout &layout);
};

} // namespace zorv
