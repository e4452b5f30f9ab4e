// The engine's whole-state snapshot in "diagnostics.json", which also records the identities
// seen for the identity-churn list.

#include "classicengine.h"

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
    m_bar.recordIdentities();
    // An unchanged bar is written again only now and then, to show that scans go on.
    m_diagnostics.writeWhenChanged(file, snapshot(kind, m_snapshotItems.update(m_bar.lastItems())),
                                   {u"itemFramesAsOf"_s}, seconds(600.0));
}

void ClassicEngine::writeLatestDiagnostics() const {
    m_diagnostics.writeLeftOut(u"diagnostics.json"_s);
}

QJsonObject ClassicEngine::snapshot(const QString &kind, const QJsonArray &items) const {
    SeparatorController &separators = *m_separatorController;
    QStringList unmovable;
    for (const MenuBarItemID &id : m_records.unmovable()) {
        unmovable.append(id.bundleID);
    }
    unmovable.sort();

    return {
        {u"kind"_s, kind},
        {u"os"_s, m_platform.systemFacts.operatingSystemVersion()},
        {u"isRevealed"_s, m_reveal.isRevealed()},
        {u"reorderEnabled"_s, m_reorderEnabled},
        {u"itemFramesAsOf"_s, m_bar.lastScanAt().toUTC().toString(Qt::ISODate)},
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

} // namespace zorv
