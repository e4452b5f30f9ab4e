#pragma once

#include "menubaritem.h"
#include "reconcile/bargeometry.h"
#include "reconcile/reachability.h"
#include "sectionlayout.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QRectF>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// What the last scan read of the bar: the items as last published, their frames, what a drag
// could get at, every identity seen per application since launch, which applications are
// installed, and when applications last came or went. Answers the questions asked of that
// reading; reads nothing itself. Main thread only.
class BarReading {
public:
    BarReading();

    [[nodiscard]] const QList<MenuBarItem> &lastItems() const { return m_lastItems; }
    void setLastItems(QList<MenuBarItem> items) { m_lastItems = std::move(items); }
    [[nodiscard]] const QHash<MenuBarItemID, QRectF> &lastFrames() const { return m_lastFrames; }
    void setLastFrames(QHash<MenuBarItemID, QRectF> frames) { m_lastFrames = std::move(frames); }
    [[nodiscard]] const QDateTime &lastScanAt() const { return m_lastScanAt; }
    void scanned(const QDateTime &at) { m_lastScanAt = at; }
    [[nodiscard]] const Reachability &reach() const { return m_reach; }
    void setReach(Reachability reach) { m_reach = std::move(reach); }
    // Where the menus of the application that came to the front since the last scan end.
    void frontMenusRead(std::optional<double> menusRight) { m_reach.menusRight = menusRight; }
    // Whether the last reading could see the items (the Accessibility permission); none before
    // the first reading.
    [[nodiscard]] std::optional<bool> trusted() const { return m_trusted; }
    // Takes whether this reading could see the items; true when the permission was just granted.
    [[nodiscard]] bool readTrusted(bool trusted);
    [[nodiscard]] const QDateTime &lastAppChurn() const { return m_lastAppChurn; }
    void appsChurned(const QDateTime &at) { m_lastAppChurn = at; }
    // When another application last came to the front, bringing its own menus.
    [[nodiscard]] const QDateTime &lastFrontSwitch() const { return m_lastFrontSwitch; }
    void frontSwitched(const QDateTime &at) { m_lastFrontSwitch = at; }

    // The items of these processes, not dormant, as the last scan saw them, with the lane the
    // layout now wants and the unmovable mark as it now stands; adds their frames to `frames`.
    [[nodiscard]] QList<MenuBarItem> itemsOf(const QSet<qint32> &processes,
                                             const SectionLayout &layout,
                                             const QSet<MenuBarItemID> &unmovable,
                                             QHash<MenuBarItemID, QRectF> &frames) const;
    // The frame of every published item the last scan framed, in the items' order.
    [[nodiscard]] QList<ItemFrame> itemFrames() const;
    // The item's frame when its centre lies right of `barMinX`, the bar screen's left edge.
    [[nodiscard]] std::optional<QRectF> onScreenFrame(const MenuBarItemID &id,
                                                      double barMinX) const;
    // Gives the published item this lane; `movable` also clears its unmovable mark.
    void setSection(const MenuBarItemID &id, Section lane, bool movable = false);

    // Whether an application is installed, asking `lookUp` once per bundle identifier for the
    // life of the engine.
    [[nodiscard]] bool isInstalled(const QString &bundleID,
                                   const std::function<bool(const QString &)> &lookUp);
    // Whether the cleaned wanted layout is to be reported: when it `changed`, and the first time.
    [[nodiscard]] bool flushLayout(bool changed);

    // Takes the identities of the published items into those seen per application.
    void recordIdentities();
    // Applications whose item identities keep changing: {"bundleID", "identities", "liveItems"},
    // most identities first.
    [[nodiscard]] QJsonArray identityChurn() const;

    // Whether some always-hidden item, other than those in `outOfReach`, stands out of its lane
    // or order against the always-hidden separator's left edge, or such an item stands in that
    // lane and belongs elsewhere.
    [[nodiscard]] bool
    alwaysHiddenOutOfOrder(double alwaysSepLeft, const SectionLayout &layout,
                           const QHash<MenuBarItemID, QString> &outOfReach) const;
    // {"name", "why"} for each counted item the layout places that `why` says a drag cannot get
    // at, in bar order.
    [[nodiscard]] QJsonArray unreachableItems(const QHash<MenuBarItemID, QString> &why,
                                              const SectionLayout &layout) const;

private:
    QList<MenuBarItem> m_lastItems;
    QHash<MenuBarItemID, QRectF> m_lastFrames;
    QDateTime m_lastScanAt;
    QHash<QString, bool> m_installedCache;
    Reachability m_reach;
    bool m_flushedNormalizedLayout = false;
    // Per application, in the order first seen, every identity seen since launch.
    QList<QString> m_identityOrder;
    QHash<QString, QSet<MenuBarItemID>> m_identitiesSeen;
    QDateTime m_lastAppChurn;
    QDateTime m_lastFrontSwitch;
    std::optional<bool> m_trusted;
};

} // namespace zorv
