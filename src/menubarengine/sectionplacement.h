#pragma once

#include "section.h"

#include <QtGlobal>

#include <optional>

namespace zorv {

// Where a moved item should land: in `section`, before the item at `index` counted among that
// section's items only (0 is first). No index, or one at or beyond the section's count, puts the
// item after the section's last item. A negative index can arrive from a drop computed off-screen;
// it means "first", never a position before the section: every engine resolves an index through
// insertionIndex() so that rule lives in one place.
struct SectionPlacement {
    Section section;
    std::optional<qint64> index;

    // The insertion position among `count` items of the target section, always in [0, count];
    // `count` means after the last one.
    [[nodiscard]] qsizetype insertionIndex(qsizetype count) const;

    friend bool operator==(const SectionPlacement &, const SectionPlacement &) = default;
};

} // namespace zorv
