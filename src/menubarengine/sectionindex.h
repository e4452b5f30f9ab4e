#pragma once

#include "sectionlayout.h"

#include <QHash>

#include <optional>

namespace zorv {

// The section of each id a layout lists, looked up by hash: SectionLayout::sectionOf() scans the
// lists, so asking it for every item of a bar costs the bar's size squared. Answers exactly as
// the layout it was built from did; build a new one when the layout changes.
class SectionIndex {
public:
    explicit SectionIndex(const SectionLayout &layout);

    // As SectionLayout::sectionOf().
    [[nodiscard]] std::optional<Section> sectionOf(const MenuBarItemID &id) const;

private:
    QHash<MenuBarItemID, Section> m_sections;
};

} // namespace zorv
