#pragma once

#include "menubaritemid.h"
#include "section.h"

#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// The user's wanted arrangement: per section, the ordered ids of the items that belong there.
// Engines are asked to apply it and report it back; it is stored in the layout file, in profiles,
// in the export file and in the synced bundle.
//
// Every layout the system keeps is in normal form (see normalized()); decoding always yields one.
// Constructing or assigning `sections` does not normalise, so code that builds a layout by hand
// normalises it before keeping it.
struct SectionLayout {
    QMap<Section, QList<MenuBarItemID>> sections;

    // The section's list; a missing entry counts as empty.
    [[nodiscard]] QList<MenuBarItemID> ids(Section section) const;

    // The section listing an id equal to `id`, looking in alwaysHidden, then hidden, then shown.
    [[nodiscard]] std::optional<Section> sectionOf(const MenuBarItemID &id) const;

    // Normal form: all three entries present; no system-pinned or ephemeral ids; each id (by
    // identity, titles aside) listed once, in the first of alwaysHidden, hidden, shown that lists
    // it and at its first position there. Idempotent.
    [[nodiscard]] SectionLayout normalized() const;

    // Keeps, per section and in order, only the ids whose bundle identifier `isPresent` accepts;
    // all three entries present in the result. Nothing else changes: callers normalise afterwards.
    [[nodiscard]] SectionLayout
    forgettingUninstalled(const std::function<bool(const QString &bundleID)> &isPresent) const;

    // A JSON array of {"section", "ids"} objects, one per entry held (empty ones included), sorted
    // by the section's raw value. Writes what is held, without normalising.
    [[nodiscard]] QJsonValue toJson() const;
    // Reads that array; a later element for a section replaces an earlier one, and the result is
    // normalised whatever the file held. An unknown section, a missing key or a malformed id fails.
    [[nodiscard]] static SectionLayout fromJson(const JsonValueRef &value);

    // Same ids in the same order per section; a missing entry equals an empty one.
    friend bool operator==(const SectionLayout &a, const SectionLayout &b);
};

} // namespace zorv
