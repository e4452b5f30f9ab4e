#include "sectionplacement.h"

#include <algorithm>

namespace zorv {

qsizetype SectionPlacement::insertionIndex(qsizetype count) const {
    if (!index) {
        return count;
    }
    return std::clamp<qsizetype>(*index, 0, count);
}

} // namespace zorv
