// The engine's whole-state snapshot in "diagnostics.json", and the identity-churn list built from
// the identities it records.

#include "classicengine.h"

#include <QSysInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

double windowMinX(StatusItem &item) {
    StatusItemButton *button = item.button();
    if (!button) {
        return -1;
    }
    const std::optional<StatusItemWindow> window = button->window();
    return window ? window->frame.left() : -1;
}

} // namespace

void ClassicEngine::writeDiagnostics(const QString &file, const QString &kind) {
    for (const MenuBarItem &item : std::as_const(m_lastItems)) {
        if (item.isDormant) {
            continue;
        }
        if (!m_identitiesSeen.contains(item.id.bundleID)) {
            m_identityOrder.append(item.id.bundleID);
        }
        m_identitiesSeen[item.id.bundleID].insert(item.id);
    }
    // An unchanged bar is written again only now and then, to show that scans go on.
    m_diagnostics.writeWhenChanged(file, snapshot(kind), {u"itemFramesAsOf"_s}, seconds(600.0));
}

QJsonObject ClassicEngine::snapshot(const QString &kind) const {
    SeparatorController &separators = *m_separatorController;
    QStringList unmovable;
    for (const MenuBarItemID &id : m_unmovable) {
        unmovable.append(id.bundleID);
    }
    unmovable.sort();

    QJsonArray items;
    for (const MenuBarItem &item : m_lastItems) {
        items.append(QJsonObject{{u"name"_s, item.appName},
                                 {u"bundleID"_s, item.id.bundleID},
                                 {u"title"_s, item.id.title.value_or(QString())},
                                 {u"section"_s, rawValue(item.section)},
                                 {u"midX"_s, item.frame.center().x()},
                                 {u"width"_s, item.frame.width()},
                                 {u"dormant"_s, item.isDormant}});
    }

    return {
        {u"kind"_s, kind},
        {u"os"_s, QSysInfo::prettyProductName()},
        {u"isRevealed"_s, m_isRevealed},
        {u"reorderEnabled"_s, m_reorderEnabled},
        {u"itemFramesAsOf"_s, m_lastScanAt.toUTC().toString(Qt::ISODate)},
        {u"separators"_s,
         QJsonObject{{u"alwaysHiddenSep"_s, windowMinX(separators.alwaysHiddenSep())},
                     {u"hiddenSep"_s, windowMinX(separators.hiddenSep())},
                     {u"icon"_s, windowMinX(separators.icon())}}},
        {u"separatorsOrdered"_s, separators.separatorsAreOrdered()},
        {u"ordinalSlots"_s, QJsonObject{{u"apps"_s, m_discovery->registeredApplications()},
                                        {u"freshSlots"_s, m_discovery->freshAssignments()}}},
        {u"unmovable"_s, QJsonArray::fromStringList(unmovable)},
        {u"identityChurn"_s, identityChurn()},
        {u"items"_s, items},
    };
}

QJsonArray ClassicEngine::identityChurn() const {
    QHash<QString, int> live;
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

} // namespace zorv
