#include "enginesections.h"

#include <algorithm>

namespace zorv {

QHash<quint64, Section> EngineSections::of(const QList<BarEntry> &bar,
                                           const QList<MenuBarItem> &items) {
    QHash<quint64, Section> sections;
    const QHash<quint64, MenuBarItem> matched = EngineSections::items(bar, items);
    for (auto item = matched.constBegin(); item != matched.constEnd(); ++item) {
        sections.insert(item.key(), item->section);
    }
    return sections;
}

QHash<quint64, MenuBarItem> EngineSections::items(const QList<BarEntry> &bar,
                                                  const QList<MenuBarItem> &items) {
    QHash<QString, QList<const MenuBarItem *>> scanned;
    for (const MenuBarItem &item : items) {
        if (!item.isDormant) {
            scanned[item.id.bundleID].append(&item);
        }
    }
    for (QList<const MenuBarItem *> &ofApplication : scanned) {
        std::stable_sort(ofApplication.begin(), ofApplication.end(),
                         [](const MenuBarItem *a, const MenuBarItem *b) {
                             return a->frame.left() < b->frame.left();
                         });
    }
    QHash<QString, qsizetype> taken;
    QHash<quint64, MenuBarItem> matched;
    for (const BarEntry &entry : bar) {
        if (!entry.bundleIdentifier) {
            continue;
        }
        const QList<const MenuBarItem *> ofApplication = scanned.value(*entry.bundleIdentifier);
        const qsizetype index = taken[*entry.bundleIdentifier]++;
        if (index < ofApplication.size()) {
            matched.insert(entry.itemId, *ofApplication.at(index));
        }
    }
    return matched;
}

} // namespace zorv
