#include "barreading.h"

#include "distantpast.h"
#include "drift/driftrules.h"
#include "sectionindex.h"

#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool isOnTheBar(const MenuBarItem &item) {
    return !item.isDormant && item.frame.width() > 0;
}

} // namespace

BarReading::BarReading()
    : m_lastScanAt(distantPast()), m_lastAppChurn(distantPast()), m_lastFrontSwitch(distantPast()) {
}

QList<MenuBarItem> BarReading::itemsOf(const QSet<qint32> &processes, const SectionLayout &layout,
                                       const QSet<MenuBarItemID> &unmovable,
                                       QHash<MenuBarItemID, QRectF> &frames) const {
    const SectionIndex sections(layout);
    QList<MenuBarItem> items;
    for (const MenuBarItem &item : m_lastItems) {
        if (!item.isDormant && processes.contains(item.pid)) {
            MenuBarItem kept = item;
            kept.section = sections.sectionOf(item.id).value_or(item.section);
            kept.isUnmovable = unmovable.contains(item.id);
            items.append(kept);
            frames.insert(item.id, item.frame);
        }
    }
    return items;
}

QList<ItemFrame> BarReading::itemFrames() const {
    QList<ItemFrame> frames;
    for (const MenuBarItem &item : m_lastItems) {
        const auto frame = m_lastFrames.constFind(item.id);
        if (frame != m_lastFrames.constEnd()) {
            frames.append({item.id, *frame});
        }
    }
    return frames;
}

std::optional<QRectF> BarReading::onScreenFrame(const MenuBarItemID &id, double barMinX) const {
    const auto found = m_lastFrames.constFind(id);
    if (found == m_lastFrames.constEnd() || found->center().x() <= barMinX) {
        return std::nullopt;
    }
    return *found;
}

void BarReading::setSection(const MenuBarItemID &id, Section lane, bool movable) {
    for (MenuBarItem &item : m_lastItems) {
        if (item.id == id) {
            item.section = lane;
            if (movable) {
                item.isUnmovable = false;
            }
        }
    }
}

bool BarReading::readTrusted(bool trusted) {
    const bool granted = m_trusted == false && trusted;
    m_trusted = trusted;
    return granted;
}

bool BarReading::isInstalled(const QString &bundleID,
                             const std::function<bool(const QString &)> &lookUp) {
    const auto cached = m_installedCache.constFind(bundleID);
    if (cached != m_installedCache.constEnd()) {
        return *cached;
    }
    const bool installed = lookUp(bundleID);
    m_installedCache.insert(bundleID, installed);
    return installed;
}

bool BarReading::flushLayout(bool changed) {
    if (!changed && m_flushedNormalizedLayout) {
        return false;
    }
    m_flushedNormalizedLayout = true;
    return true;
}

void BarReading::recordIdentities() {
    for (const MenuBarItem &item : std::as_const(m_lastItems)) {
        if (item.isDormant) {
            continue;
        }
        if (!m_identitiesSeen.contains(item.id.bundleID)) {
            m_identityOrder.append(item.id.bundleID);
        }
        m_identitiesSeen[item.id.bundleID].insert(item.id);
    }
}

QJsonArray BarReading::identityChurn() const {
    QHash<QString, int> live;
    live.reserve(m_lastItems.size());
    for (const MenuBarItem &item : m_lastItems) {
        if (isOnTheBar(item)) {
            ++live[item.id.bundleID];
        }
    }
    struct Entry {
        QString bundleID;
        qsizetype identities;
        int liveItems;
    };
    QList<Entry> kept;
    for (const QString &bundleID : m_identityOrder) {
        if (MenuBarItemID::isSystemPinned(bundleID) || MenuBarItemID::isEphemeral(bundleID)) {
            continue;
        }
        const qsizetype seen = m_identitiesSeen.value(bundleID).size();
        const int liveItems = live.value(bundleID);
        if (seen > std::max(liveItems, 1)) {
            kept.append({bundleID, seen, liveItems});
        }
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Entry &a, const Entry &b) { return a.identities > b.identities; });
    QJsonArray churn;
    for (const Entry &entry : std::as_const(kept)) {
        churn.append(QJsonObject{{u"bundleID"_s, entry.bundleID},
                                 {u"identities"_s, entry.identities},
                                 {u"liveItems"_s, entry.liveItems}});
    }
    return churn;
}

bool BarReading::alwaysHiddenOutOfOrder(double alwaysSepLeft, const SectionLayout &layout,
                                        const QHash<MenuBarItemID, QString> &outOfReach) const {
    constexpr double tolerance = DriftRules::laneTolerance;
    const SectionIndex sections(layout);
    QHash<MenuBarItemID, double> inLane;
    for (const MenuBarItem &item : m_lastItems) {
        const std::optional<Section> wanted = sections.sectionOf(item.id);
        if (!DriftRules::isCounted(item) || !wanted || outOfReach.contains(item.id)) {
            continue;
        }
        const double midX = m_lastFrames.value(item.id, item.frame).center().x();
        const bool wantedThere = *wanted == Section::alwaysHidden;
        if (wantedThere ? midX > alwaysSepLeft + tolerance : midX < alwaysSepLeft - tolerance) {
            return true;
        }
        if (wantedThere) {
            inLane.insert(item.id, midX);
        }
    }
    std::optional<double> previous;
    for (const MenuBarItemID &id : layout.ids(Section::alwaysHidden)) {
        const auto midX = inLane.constFind(id);
        if (midX == inLane.constEnd()) {
            continue;
        }
        if (previous && *midX < *previous) {
            return true;
        }
        previous = *midX;
    }
    return false;
}

QJsonArray BarReading::unreachableItems(const QHash<MenuBarItemID, QString> &why,
                                        const SectionLayout &layout) const {
    const SectionIndex sections(layout);
    QJsonArray items;
    for (const MenuBarItem &item : m_lastItems) {
        const auto found = why.constFind(item.id);
        if (found != why.constEnd() && DriftRules::isCounted(item) && sections.sectionOf(item.id)) {
            items.append(QJsonObject{{u"name"_s, item.appName}, {u"why"_s, *found}});
        }
    }
    return items;
}

} // namespace zorv
