#include "sectionindex.h"

namespace zorv {

SectionIndex::SectionIndex(const SectionLayout &layout) {
    qsizetype listed = 0;
    for (const QList<MenuBarItemID> &ids : layout.sections) {
        listed += ids.size();
    }
    m_sections.reserve(listed);
    // allSections runs from the least hidden to the most, so an id listed in several sections
    // ends in the most hidden one, as SectionLayout::sectionOf() finds it.
    for (const Section section : allSections) {
        for (const MenuBarItemID &id : layout.ids(section)) {
            m_sections.insert(id, section);
        }
    }
}

std::optional<Section> SectionIndex::sectionOf(const MenuBarItemID &id) const {
    const auto found = m_sections.constFind(id);
    return found == m_sections.cend() ? std::nullopt : std::optional(*found);
}

} // namespace zorv
