#include "currentarrangement.h"

#include "sectionindex.h"

#include <algorithm>

namespace zorv {

SectionLayout currentArrangement(const SectionLayout &layout, const QList<MenuBarItem> &items) {
    const SectionIndex placed(layout);
    QList<const MenuBarItem *> unplaced;
    for (const MenuBarItem &item : items) {
        if (!item.isDormant && item.frame.width() > 0 && !placed.sectionOf(item.id)) {
            unplaced.append(&item);
        }
    }
    std::stable_sort(unplaced.begin(), unplaced.end(),
                     [](const MenuBarItem *a, const MenuBarItem *b) {
                         return a->frame.left() < b->frame.left();
                     });
    SectionLayout result = layout;
    for (const MenuBarItem *item : std::as_const(unplaced)) {
        result.sections[item->section].append(item->id);
    }
    return result.normalized();
}

} // namespace zorv
