#pragma once

#include "menubaritemid.h"
#include "section.h"

#include <QSet>

namespace zorv {

// What a scan concluded about the bar: whether items sit on the wrong side of the hidden
// separator or out of their lane's order, and whether what should be hidden is out of sight.
struct DriftVerdict {
    enum class Kind {
        // These items (in `drifted`) sit on the wrong side of a separator; or, when none does,
        // stand in their lane out of its wanted order.
        drifted,
        // Nothing drifted and nothing that should be hidden is in view.
        clean,
        // Something that should be hidden is in view without being on the wrong side.
        peeking,
        // Every item that should be hidden is in view (at least two of them).
        nothingHidden,
    };

    Kind kind = Kind::clean;
    QSet<MenuBarItemID> drifted;

    friend bool operator==(const DriftVerdict &, const DriftVerdict &) = default;
};

// How long an item the layout does not hold has been seen in one lane.
struct LaneSighting {
    Section lane = Section::shown;
    int scans = 0;

    friend bool operator==(const LaneSighting &, const LaneSighting &) = default;
};

// An item to write into the layout where the system put it.
struct Adoption {
    MenuBarItemID id;
    Section lane = Section::shown;

    friend bool operator==(const Adoption &, const Adoption &) = default;
};

} // namespace zorv
