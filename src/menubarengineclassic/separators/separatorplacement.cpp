#include "separatorplacement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace zorv {

namespace {

using Kind = SeparatorPlacement::Entry::Kind;

// Spacing between status items when the bar shows none to measure.
constexpr double defaultGap = 16.0;
// Gaps wider than this are holes in the bar (a zero-length item, another screen), not spacing.
constexpr double widestGap = 48.0;
// Written distances stay this far short of a slot's, so that rounding never lands one further
// left.
constexpr double slotMargin = 1.0;

bool isSeparator(Kind kind) {
    return kind == Kind::hiddenSeparator || kind == Kind::alwaysHiddenSeparator;
}

// The bar measured as it stands with both separators collapsed: a lengthened separator keeps its
// right edge, so everything on its left stands further left by the extra length.
class CollapsedBar {
public:
    CollapsedBar(const QList<SeparatorPlacement::Entry> &bar, double collapsedLength)
        : m_bar(bar), m_left(bar.size()), m_width(bar.size()) {
        double shift = 0.0;
        for (qsizetype i = bar.size() - 1; i >= 0; --i) {
            const QRectF &frame = bar.at(i).frame;
            const double stretch =
                isSeparator(bar.at(i).kind) ? std::max(frame.width() - collapsedLength, 0.0) : 0.0;
            m_left[i] = frame.left() + shift + stretch;
            m_width[i] = frame.width() - stretch;
            shift += stretch;
        }
        m_end = movableEnd();
    }

    // From the left edge of entry i to the right end of the movable items.
    [[nodiscard]] double distance(qsizetype i) const { return m_end - m_left.at(i); }

    // Entry i's slot: up to the next movable entry, or the right end.
    [[nodiscard]] double room(qsizetype i) const {
        for (qsizetype next = i + 1; next < m_bar.size(); ++next) {
            if (m_bar.at(next).kind != Kind::fixed) {
                return m_left.at(next) - m_left.at(i);
            }
        }
        return m_end - m_left.at(i);
    }

private:
    [[nodiscard]] double gapAfter(qsizetype i) const {
        return m_left.at(i + 1) - (m_left.at(i) + m_width.at(i));
    }

    // Past the rightmost movable entry by the gap after it.
    [[nodiscard]] double movableEnd() const {
        QList<double> gaps;
        qsizetype rightmost = -1;
        for (qsizetype i = 0; i < m_bar.size(); ++i) {
            if (m_bar.at(i).kind == Kind::fixed) {
                continue;
            }
            rightmost = i;
            if (i + 1 < m_bar.size() && gapAfter(i) > 0.0 && gapAfter(i) <= widestGap) {
                gaps.append(gapAfter(i));
            }
        }
        std::sort(gaps.begin(), gaps.end());
        double gap = gaps.isEmpty() ? defaultGap : gaps.at(gaps.size() / 2);
        if (rightmost + 1 < m_bar.size() && gapAfter(rightmost) >= 0.0 &&
            gapAfter(rightmost) <= widestGap) {
            gap = gapAfter(rightmost);
        }
        return m_left.at(rightmost) + m_width.at(rightmost) + gap;
    }

    const QList<SeparatorPlacement::Entry> &m_bar;
    QList<double> m_left;
    QList<double> m_width;
    double m_end = 0.0;
};

// How many items the layout places stand out of their lanes with the always-hidden separator
// before item a and the hidden one before item h (counts of the items, a <= h), and how many it
// does not place stand between two places of a separator.
class LaneCounts {
public:
    explicit LaneCounts(const QList<std::optional<Section>> &wanted) {
        m_before[0] = m_before[1] = m_before[2] = {0};
        m_unplacedBefore = {0};
        for (const std::optional<Section> &lane : wanted) {
            for (int each = 0; each < 3; ++each) {
                m_before[each].append(m_before[each].back() +
                                      (lane == allSections[each] ? 1 : 0));
            }
            m_unplacedBefore.append(m_unplacedBefore.back() + (lane ? 0 : 1));
        }
    }

    [[nodiscard]] int misplaced(qsizetype a, qsizetype h) const {
        const qsizetype n = m_before[0].size() - 1;
        return count(Section::shown, 0, a) + count(Section::hidden, 0, a) +
               count(Section::shown, a, h) + count(Section::alwaysHidden, a, h) +
               count(Section::hidden, h, n) + count(Section::alwaysHidden, h, n);
    }

    // The unplaced items a separator moved from before item `from` to before item `to` crosses.
    [[nodiscard]] int unplacedCrossed(qsizetype from, qsizetype to) const {
        return std::abs(m_unplacedBefore.at(to) - m_unplacedBefore.at(from));
    }

private:
    [[nodiscard]] int count(Section lane, qsizetype from, qsizetype to) const {
        const QList<int> &before = m_before[qsizetype(lane)];
        return before.at(to) - before.at(from);
    }

    QList<int> m_before[3];
    QList<int> m_unplacedBefore;
};

} // namespace

std::optional<SeparatorPlacement>
SeparatorPlacement::compute(QList<Entry> bar, double collapsedLength, Icon iconGoes) {
    std::stable_sort(bar.begin(), bar.end(),
                     [](const Entry &a, const Entry &b) { return a.frame.left() < b.frame.left(); });
    const auto indexOf = [&bar](Kind kind) -> qsizetype {
        const auto count = std::count_if(bar.cbegin(), bar.cend(),
                                         [kind](const Entry &entry) { return entry.kind == kind; });
        if (count != 1) {
            return -1;
        }
        return std::find_if(bar.cbegin(), bar.cend(),
                            [kind](const Entry &entry) { return entry.kind == kind; }) -
               bar.cbegin();
    };
    const qsizetype icon = indexOf(Kind::icon);
    const qsizetype hidden = indexOf(Kind::hiddenSeparator);
    const qsizetype always = indexOf(Kind::alwaysHiddenSeparator);
    if (icon < 0 || hidden < 0 || always < 0) {
        return std::nullopt;
    }

    QList<qsizetype> items;
    QList<std::optional<Section>> wanted;
    qsizetype alwaysCut = 0;
    qsizetype hiddenCut = 0;
    for (qsizetype i = 0; i < bar.size(); ++i) {
        if (bar.at(i).kind != Kind::item) {
            continue;
        }
        alwaysCut += i < always ? 1 : 0;
        hiddenCut += i < hidden ? 1 : 0;
        items.append(i);
        wanted.append(bar.at(i).wanted);
    }
    const LaneCounts lanes(wanted);
    const qsizetype n = items.size();
    int fewest = std::numeric_limits<int>::max();
    for (qsizetype a = 0; a <= n; ++a) {
        for (qsizetype h = a; h <= n; ++h) {
            fewest = std::min(fewest, lanes.misplaced(a, h));
        }
    }
    // Side by side the cuts agree, but the order still counts: a reveal shows everything while
    // the always-hidden separator stands right of the hidden one.
    const bool ordered = always < hidden;
    const bool iconRightOfBoth = icon > hidden && icon > always;
    const bool iconAtRightEnd =
        std::all_of(bar.cbegin() + icon + 1, bar.cend(),
                    [](const Entry &entry) { return entry.kind == Kind::fixed; });
    const bool iconInPlace = iconGoes == Icon::keepsItsPlace ? iconRightOfBoth : iconAtRightEnd;
    if (ordered && iconInPlace && lanes.misplaced(alwaysCut, hiddenCut) == fewest) {
        return std::nullopt;
    }
    // Of the best places, those nearest to where the separators stand; of those, the one that
    // takes the fewest items the layout does not place across the hidden separator, which would
    // show or hide them though nothing asked for it.
    qsizetype bestA = 0;
    qsizetype bestH = 0;
    std::pair<qsizetype, int> shortest{std::numeric_limits<qsizetype>::max(), 0};
    for (qsizetype a = 0; a <= n; ++a) {
        for (qsizetype h = a; h <= n; ++h) {
            const std::pair<qsizetype, int> way{std::abs(a - alwaysCut) + std::abs(h - hiddenCut),
                                                lanes.unplacedCrossed(hiddenCut, h)};
            if (lanes.misplaced(a, h) == fewest && way < shortest) {
                shortest = way;
                bestA = a;
                bestH = h;
            }
        }
    }

    const CollapsedBar collapsed(bar, collapsedLength);
    // The distance of entry i's left edge without the separators where they stand now.
    const auto withoutSeparators = [&](qsizetype i) {
        return collapsed.distance(i) - (always > i ? collapsed.room(always) : 0.0) -
               (hidden > i ? collapsed.room(hidden) : 0.0);
    };
    // A separator placed before item `cut` stands just right of the item before it: left of the
    // first item (or icon, when it stays) after that one; none: at the right end.
    const auto anchorOf = [&](qsizetype cut, bool iconStays) -> qsizetype {
        const qsizetype from = cut > 0 ? items.at(cut - 1) + 1 : 0;
        for (qsizetype i = from; i < bar.size(); ++i) {
            const Kind kind = bar.at(i).kind;
            if (kind == Kind::item || (kind == Kind::icon && iconStays)) {
                return i;
            }
        }
        return bar.size();
    };
    const bool iconStays = iconGoes == Icon::keepsItsPlace && icon >= anchorOf(bestH, true);
    const qsizetype alwaysAnchor = anchorOf(bestA, iconStays);
    const qsizetype hiddenAnchor = anchorOf(bestH, iconStays);
    const double iconRoom = collapsed.room(icon);
    // Moved from the left of an anchor to the right end, the icon adds its room to the anchor's
    // distance.
    const auto distanceBefore = [&](qsizetype anchor) {
        const double iconMoved = !iconStays && anchor > icon ? iconRoom : 0.0;
        return (anchor < bar.size() ? withoutSeparators(anchor) : 0.0) + iconMoved;
    };
    const double hiddenRoom = collapsed.room(hidden);
    const double alwaysRoom = collapsed.room(always);

    SeparatorPlacement placement;
    placement.misplacedBefore = lanes.misplaced(std::min(alwaysCut, hiddenCut), hiddenCut);
    placement.misplacedAfter = fewest;
    placement.iconToRightEnd = !iconStays;
    placement.hiddenSeparator = std::max(distanceBefore(hiddenAnchor) - slotMargin, 0.0);
    // The hidden separator stands between it and its anchor.
    placement.alwaysHiddenSeparator =
        std::max(distanceBefore(alwaysAnchor) + hiddenRoom - slotMargin, 0.0);
    // A staying icon keeps its place among the other items: its distance is that of the items
    // on its right. A moving one takes the rightmost slot.
    if (iconStays) {
        placement.icon =
            std::max(withoutSeparators(icon) - iconRoom + (icon < hiddenAnchor ? hiddenRoom : 0.0) +
                         (icon < alwaysAnchor ? alwaysRoom : 0.0) - slotMargin,
                     0.0);
    }
    return placement;
}

} // namespace zorv
