#include "itemdiscovery.h"

#include "accessibility.h"
#include "ax.h"
#include "workspace.h"

#include <QHash>
#include <QMutexLocker>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct ElementFrame {
    AXElement element;
    QRectF frame;
};

// Frames come from AX::frame, which bounds every component, so the conversion is defined.
int roundedWidth(const QRectF &frame) {
    return int(std::lround(frame.width()));
}

} // namespace

ItemDiscovery::ItemDiscovery(Accessibility &accessibility, Workspace &workspace)
    : m_accessibility(accessibility), m_workspace(workspace) {}

QList<DiscoveredItem> ItemDiscovery::scan(const std::optional<QSet<qint32>> &pids,
                                          QSet<qint32> *unanswered) {
    if (!m_accessibility.isProcessTrusted()) {
        return {};
    }
    const AX ax(m_accessibility);
    const qint32 self = m_workspace.currentProcessId();
    QSet<qint32> kept;
    QList<DiscoveredItem> result;

    for (const RunningApplication &application : m_workspace.runningApplications()) {
        const qint32 pid = application.processId;
        if (pid == self || (pids && !pids->contains(pid))) {
            continue;
        }
        bool answered = true;
        QList<AXElement> elements = ax.extrasItems(pid, &answered);
        if (!answered) {
            kept.insert(pid);
            if (unanswered) {
                unanswered->insert(pid);
            }
            continue;
        }
        elements.removeIf([&](AXElement element) { return !(ax.frame(element).width() > 0.0); });
        if (elements.isEmpty()) {
            continue;
        }
        kept.insert(pid);
        const QString bundleID =
            application.bundleIdentifier.value_or(u"pid:"_s + QString::number(pid));
        const QString appName = application.localizedName.value_or(bundleID);

        QList<ElementFrame> framed;
        for (const AXElement element : elements) {
            framed.append({element, ax.frame(element)});
        }
        std::stable_sort(framed.begin(), framed.end(), [](const auto &a, const auto &b) {
            return a.frame.left() < b.frame.left();
        });

        QList<std::optional<QString>> identifiers;
        for (const ElementFrame &item : framed) {
            identifiers.append(ax.identifier(item.element));
        }
        identifiers = disambiguated(identifiers);

        QList<std::optional<QString>> titles;
        QList<OrdinalRegistry::Sighting> sightings;
        for (qsizetype i = 0; i < framed.size(); ++i) {
            titles.append(ax.title(framed[i].element));
            sightings.append({identifiers[i], titles[i], roundedWidth(framed[i].frame)});
        }
        QList<int> ordinals;
        {
            const QMutexLocker locker(&m_lock);
            ordinals = m_registry.slots(pid, sightings);
        }
        for (qsizetype i = 0; i < framed.size(); ++i) {
            result.append(DiscoveredItem{bundleID, appName, pid, identifiers[i], titles[i],
                                         framed[i].frame, ordinals[i]});
        }
    }

    if (!pids) {
        const QMutexLocker locker(&m_lock);
        m_registry.retain(kept);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const auto &a, const auto &b) { return a.frame.left() < b.frame.left(); });
    return result;
}

QList<std::optional<QString>>
ItemDiscovery::disambiguated(const QList<std::optional<QString>> &identifiers) {
    QHash<QString, int> counts;
    for (const auto &identifier : identifiers) {
        if (identifier && !identifier->isEmpty()) {
            ++counts[*identifier];
        }
    }
    QList<std::optional<QString>> result;
    for (const auto &identifier : identifiers) {
        const bool unique = identifier && !identifier->isEmpty() && counts.value(*identifier) == 1;
        result.append(unique ? identifier : std::nullopt);
    }
    return result;
}

int ItemDiscovery::registeredApplications() const {
    const QMutexLocker locker(&m_lock);
    return m_registry.applicationCount();
}

int ItemDiscovery::freshAssignments() const {
    const QMutexLocker locker(&m_lock);
    return m_registry.freshAssignments();
}

} // namespace zorv
