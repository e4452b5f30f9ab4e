#include "sectionitems.h"

#include "modelsearch.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

bool isArrangeable(const MenuBarItem &item) {
    const QString &bundle = item.id.bundleID;
    if (MenuBarItemID::isSystemPinned(bundle) ||
        bundle.startsWith(u"com.surteesstudios.Bartender"_s)) {
        return false;
    }
    if (!bundle.startsWith(u"com.apple."_s)) {
        return true;
    }
    const QString name = ModelSearch::displayName(item).toLower();
    return name != u"clock"_s && !name.contains(u"battery"_s) && name != u"wi-fi"_s &&
           name != u"wifi"_s;
}

QList<MenuBarItem> itemsInWantedOrder(const QList<MenuBarItem> &items, const SectionLayout &layout,
                                      Section section) {
    const QList<MenuBarItemID> wanted = layout.ids(section);
    struct Keyed {
        qsizetype key;
        MenuBarItem item;
    };
    QList<Keyed> keyed;
    for (const MenuBarItem &item : items) {
        if (item.section != section) {
            continue;
        }
        const qsizetype at = wanted.indexOf(item.id);
        keyed.append({at < 0 ? std::numeric_limits<qsizetype>::max() : at, item});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (a.key != b.key) {
            return a.key < b.key;
        }
        return a.item.frame.left() < b.item.frame.left();
    });
    QList<MenuBarItem> result;
    result.reserve(keyed.size());
    for (const Keyed &entry : keyed) {
        result.append(entry.item);
    }
    return result;
}

QList<MenuBarItem> floatingBarItems(const QList<MenuBarItem> &items, bool includeAlwaysHidden) {
    QList<MenuBarItem> result;
    for (const MenuBarItem &item : items) {
        const bool wantedSection = item.section == Section::hidden ||
                                   (includeAlwaysHidden && item.section == Section::alwaysHidden);
        if (wantedSection && !item.isDormant) {
            result.append(item);
        }
    }
    std::stable_sort(result.begin(), result.end(), [](const MenuBarItem &a, const MenuBarItem &b) {
        return a.frame.left() < b.frame.left();
    });
    return result;
}

std::optional<qint64> dropIndex(const SectionLayout &layout, Section section,
                                const MenuBarItemID &id,
                                const std::optional<MenuBarItemID> &before) {
    if (!before) {
        return std::nullopt;
    }
    QList<MenuBarItemID> lane = layout.ids(section);
    lane.removeAll(id);
    const qsizetype at = lane.indexOf(*before);
    if (at < 0) {
        return std::nullopt;
    }
    return at;
}

} // namespace zorv
