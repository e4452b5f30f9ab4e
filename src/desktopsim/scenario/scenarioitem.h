#pragma once

#include "jsonreader.h"
#include "model/itemrecord.h"

#include <QString>

#include <optional>

namespace zorv {

// One status item an application of a scenario creates when it launches (or when a timed event
// adds it). Timed events name the item by its autosave name.
struct ScenarioItem {
    // Empty: the system numbers it ("Item-0", ...), and no event can name it.
    QString autosaveName;
    QString title;
    // Points, or StatusBar's square or variable length.
    double length = -2.0;
    ItemGlyph glyph;
    bool hidden = false;
    // One of the system's fixed items (Control Center, the clock).
    bool immovable = false;
    // The item's "AXIdentifier" and "AXDescription"; absent when the application sets none.
    std::optional<QString> identifier;
    std::optional<QString> description;
    // A clock: its title and length follow the simulated time, minute by minute.
    bool clock = false;

    static ScenarioItem fromJson(const JsonValueRef &value);
    // A length as scenario files write it: points, "square" or "variable".
    static double lengthFromJson(const JsonValueRef &value);

    friend bool operator==(const ScenarioItem &, const ScenarioItem &) = default;
};

} // namespace zorv
