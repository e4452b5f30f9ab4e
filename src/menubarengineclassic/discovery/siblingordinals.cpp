#include "siblingordinals.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct Wanted {
    qint64 ordinal = 0;
    Section lane = Section::shown;
};

// Frames come from the accessibility reading, which bounds them, so the conversion is defined.
qint64 widthOf(const DiscoveredItem &item) {
    return std::llround(item.frame.width());
}

// The layout's ids of the application without an identifier, lanes left to right, each lane in
// its order.
QList<Wanted> wantedOf(const QString &bundleID, const SectionLayout &layout) {
    QList<Wanted> wanted;
    for (const Section lane : {Section::alwaysHidden, Section::hidden, Section::shown}) {
        for (const MenuBarItemID &id : layout.ids(lane)) {
            // Ordinals come from files: only those an item can carry take part.
            if (id.bundleID == bundleID &&
                std::holds_alternative<MenuBarItemID::Slot>(id.discriminator()) &&
                id.ordinal >= 0 && id.ordinal <= std::numeric_limits<int>::max()) {
                wanted.append({id.ordinal, lane});
            }
        }
    }
    return wanted;
}

// Pairs the siblings (left to right) with the wanted ids (lanes left to right) without crossing,
// as many as the shorter list holds, most lanes agreeing first and then most numbers kept.
// Gives, per sibling, the index of its wanted id or -1.
QList<qsizetype> pairing(const QList<Section> &lanes, const QList<qint64> &ordinals,
                         const QList<Wanted> &wanted) {
    const qsizetype n = lanes.size();
    const qsizetype m = wanted.size();
    const auto score = [&](qsizetype i, qsizetype j) {
        return (lanes[i] == wanted[j].lane ? 2 : 0) + (ordinals[i] == wanted[j].ordinal ? 1 : 0);
    };
    // best[i][j]: the best score pairing the first i siblings with the first j ids, where the
    // shorter list is used up.
    constexpr int impossible = -1;
    QList<QList<int>> best(n + 1, QList<int>(m + 1, impossible));
    for (qsizetype i = 0; i <= n; ++i) {
        for (qsizetype j = 0; j <= m; ++j) {
            if (i == 0 || j == 0) {
                best[i][j] = (n <= m ? i : j) == 0 ? 0 : impossible;
                continue;
            }
            int value = best[i - 1][j - 1] == impossible ? impossible
                                                         : best[i - 1][j - 1] + score(i - 1, j - 1);
            // The longer list may leave one out.
            const int skipped = n <= m ? best[i][j - 1] : best[i - 1][j];
            value = std::max(value, skipped);
            best[i][j] = value;
        }
    }
    // Of equal pairings, the one leaving out the rightmost of the longer list: the siblings
    // nearest the lanes left of them take those lanes' ids.
    QList<qsizetype> paired(n, -1);
    qsizetype i = n;
    qsizetype j = m;
    while (i > 0 && j > 0) {
        const int skipped = n <= m ? best[i][j - 1] : best[i - 1][j];
        if (skipped == best[i][j]) {
            (n <= m ? j : i) -= 1;
        } else {
            paired[i - 1] = j - 1;
            --i;
            --j;
        }
    }
    return paired;
}

} // namespace

QList<DiscoveredItem> SiblingOrdinals::named(QList<DiscoveredItem> found,
                                             const QList<Section> &lanes,
                                             const SectionLayout &layout) {
    // Per process, its items' positions in `found`, left to right.
    QHash<qint32, QList<qsizetype>> byProcess;
    for (qsizetype at = 0; at < found.size(); ++at) {
        byProcess[found.at(at).pid].append(at);
    }
    for (const QList<qsizetype> &positions : std::as_const(byProcess)) {
        QHash<QString, int> titles;
        QHash<qint64, int> widths;
        for (const qsizetype at : positions) {
            ++titles[found.at(at).title.value_or(QString())];
            ++widths[widthOf(found.at(at))];
        }
        // Siblings by title and width; items the registry can tell apart take no part.
        QHash<QString, QList<qsizetype>> groups;
        QList<QString> groupOrder;
        for (const qsizetype at : positions) {
            const DiscoveredItem &item = found.at(at);
            const QString title = item.title.value_or(QString());
            const bool anonymous = (!item.axIdentifier || item.axIdentifier->isEmpty()) &&
                                   (title.isEmpty() || titles.value(title) > 1) &&
                                   widths.value(widthOf(item)) > 1;
            if (!anonymous) {
                continue;
            }
            const QString key = title + u'\n' + QString::number(widthOf(item));
            if (!groups.contains(key)) {
                groupOrder.append(key);
            }
            groups[key].append(at);
        }
        QSet<qint64> taken;
        for (const qsizetype at : positions) {
            taken.insert(found.at(at).ordinal);
        }
        for (const QString &key : std::as_const(groupOrder)) {
            const QList<qsizetype> group = groups.value(key);
            if (group.size() < 2) {
                continue;
            }
            QList<qint64> own;
            QList<Section> groupLanes;
            for (const qsizetype at : group) {
                own.append(found.at(at).ordinal);
                groupLanes.append(lanes.at(at));
            }
            for (const qint64 ordinal : std::as_const(own)) {
                taken.remove(ordinal);
            }
            // The ids of items present and told apart, or of siblings named already, stay theirs.
            QList<Wanted> wanted = wantedOf(found.at(group.first()).bundleID, layout);
            wanted.removeIf([&taken](const Wanted &w) { return taken.contains(w.ordinal); });
            const QList<qsizetype> paired = pairing(groupLanes, own, wanted);
            QList<qsizetype> unnamed;
            for (qsizetype i = 0; i < group.size(); ++i) {
                if (paired[i] >= 0) {
                    found[group[i]].ordinal = int(wanted[paired[i]].ordinal);
                    taken.insert(wanted[paired[i]].ordinal);
                } else {
                    unnamed.append(i);
                }
            }
            // A sibling the layout has no id for keeps its own number when that is free, else
            // takes the lowest of the group's numbers left: there are as many as siblings.
            unnamed.removeIf([&](qsizetype i) {
                if (taken.contains(own[i])) {
                    return false;
                }
                taken.insert(own[i]);
                return true;
            });
            std::sort(own.begin(), own.end());
            for (const qsizetype i : std::as_const(unnamed)) {
                const auto free = std::find_if(own.cbegin(), own.cend(),
                                               [&taken](qint64 o) { return !taken.contains(o); });
                found[group[i]].ordinal = int(*free);
                taken.insert(*free);
            }
        }
    }
    return found;
}

} // namespace zorv
