#pragma once

#include "clock.h"
#include "drift/userdrags.h"
#include "menubaritem.h"
#include "sectionlayout.h"
#include "sectionplacement.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// The layout the user wants and how far the bar is from it: the stored layout, whether its order
// still waits for a run (dirty), waits for a first look at the bar (unchecked) or was just handed
// over (pending), the counter of order changes (epoch), the lanes as the last scan read them and
// the items the running run dragged itself, to tell the user's own drags by. Main thread only.
class WantedLayout {
public:
    // The lanes as one scan read them.
    struct DragReading {
        MonotonicTime at{};
        bool separatorsOrdered = false;
        UserDrags::Lanes lanes;
    };

    // Whether the bar shows the item outside `wanted`, the lane the layout puts it in.
    using OutOfLane = std::function<bool(const MenuBarItem &, Section wanted)>;

    explicit WantedLayout(const SectionLayout &layout) : m_storedLayout(layout.normalized()) {}

    [[nodiscard]] const SectionLayout &storedLayout() const { return m_storedLayout; }
    // Replaces the stored layout without asking for a run (a harness scramble, a restore).
    void replace(const SectionLayout &layout) { m_storedLayout = layout.normalized(); }
    [[nodiscard]] bool orderDirty() const { return m_orderDirty; }
    [[nodiscard]] int orderEpoch() const { return m_orderEpoch; }

    // Takes a whole new layout, returning the one it replaces. Its lanes and order are compared
    // with the bar's `lastItems` at once, or, before any scan has read the bar, at the first
    // check().
    SectionLayout apply(const SectionLayout &layout, const QList<MenuBarItem> &lastItems,
                        const OutOfLane &outOfLane);
    // The first trusted scan of a settled bar: compares the lanes and order of a layout that came
    // before the bar was read.
    void check(const QList<MenuBarItem> &lastItems, const OutOfLane &outOfLane);
    // Whether some item on the bar, other than `leftOut`, stands outside its wanted lane, or some
    // lane's items stand in another order than the stored layout's.
    [[nodiscard]] bool barOrderDiffers(const QList<MenuBarItem> &items, const OutOfLane &outOfLane,
                                       const QSet<MenuBarItemID> &leftOut = {}) const;
    // A handed-over layout differs from the bar and no run has started since.
    [[nodiscard]] bool appliedLayoutWaiting() const {
        return m_appliedLayoutPending && m_orderDirty;
    }
    // A run starts: it works towards the whole stored layout, a handed-over one included.
    void runStarted() { m_appliedLayoutPending = false; }
    // A run reached the order asked for when it started.
    void orderReached() { m_orderDirty = false; }

    // The user's move of one item.
    void move(const MenuBarItemID &id, const SectionPlacement &placement);
    // Gives up on the item's lane: it goes into the lane `into` it stands in, where it stands among
    // the lane's items on the bar (`barLane`, left to right), else at the lane's end.
    void retire(const MenuBarItemID &id, Section into, const QList<MenuBarItemID> &barLane = {});
    // Takes an item no layout placed into `lane`, where it stands among the lane's items on the
    // bar (`barLane`, left to right).
    void adopt(const MenuBarItemID &id, Section lane, const QList<MenuBarItemID> &barLane);
    // Drops every item whose bundle identifier starts with `prefix`; true when some were.
    [[nodiscard]] bool dropItemsOf(const QString &prefix);
    // Forgets applications `keep` says no, true when some were.
    [[nodiscard]] bool forgetUninstalled(const std::function<bool(const QString &)> &keep);

    // The last reading, now forgotten: a bar that could not be read leaves none.
    [[nodiscard]] std::optional<DragReading> forgetReading() {
        return std::exchange(m_lastReading, std::nullopt);
    }
    // A run's own drag of `id` was posted: the item moves by the engine's hand, not the user's,
    // until the run sees it land or is over. Without an id no reading can tell the drag from the
    // user's, and the last one is forgotten.
    void ownDragPosted(const std::optional<MenuBarItemID> &id);
    // The run saw its drag of `id` land: from the reading that showed it, the item is the user's
    // to move again.
    void ownDragLanded(const MenuBarItemID &id) { m_ownDragged.remove(id); }
    // Keeps `reading` as the last one. When `before` was taken under the same separators and
    // `userDraggedSince(before->at)`, takes the one item the user moved between them into the
    // lane and place it was dropped at, and returns it; none when nothing was taken. Items the
    // engine dragged itself are left out of both readings, and forgotten once a reading outside
    // a run (`runInFlight` false) has been compared.
    [[nodiscard]] std::optional<MenuBarItemID>
    takeUserDrag(const std::optional<DragReading> &before, DragReading reading,
                 const std::function<bool(MonotonicTime)> &userDraggedSince, bool runInFlight);

private:
    void markOrderDirtyIfTheBarDiffers(const QList<MenuBarItem> &items, const OutOfLane &outOfLane);

    SectionLayout m_storedLayout;
    bool m_orderDirty = false;
    bool m_orderUnchecked = false;
    bool m_appliedLayoutPending = false;
    std::optional<DragReading> m_lastReading;
    QSet<MenuBarItemID> m_ownDragged;
    int m_orderEpoch = 0;
};

} // namespace zorv
