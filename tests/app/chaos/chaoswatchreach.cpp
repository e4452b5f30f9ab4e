// The chaos watch's checks that every item stays within the user's reach: an activation opens
// the item asked for or says why it cannot, and a settled bar holds each item in its stored lane.

#include "chaoswatch.h"

#include "appmodel.h"
#include "engine/classicengine.h"
#include "enginesections.h"
#include "search/stablekey.h"
#include "simulateddesktop.h"
#include "storage/zorvpaths.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString kHotkeyLog = u"hotkey-log.txt"_s;
// How far apart, in points, a scanned frame and the bar's may lie and still be the same item's.
constexpr double kSameFrame = 0.5;

qint64 hotkeyLogSize() {
    return QFileInfo(ZorvPaths::file(kHotkeyLog)).size();
}

// The engine's record of its last activation, as written.
QString lastActivateRecord() {
    QFile file(ZorvPaths::file(u"last-activate.json"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The record's outcome, for a breach's note, if it names the item.
std::optional<QString> outcomeFor(const QString &record, const MenuBarItemID &id) {
    const QJsonObject fields = QJsonDocument::fromJson(record.toUtf8()).object();
    if (fields.value(u"item"_s).toString() != id.bundleID) {
        return std::nullopt;
    }
    const QString outcome = fields.value(u"outcome"_s).toString();
    // Only a click has a place; a request answered before it has none.
    const QJsonValue x = fields.value(u"x"_s);
    return x.isDouble() ? u"%1 at x %2"_s.arg(outcome).arg(x.toDouble()) : outcome;
}

ItemClickKind deliveredKind(ClickKind click) {
    switch (click) {
    case ClickKind::right:
        return ItemClickKind::Right;
    case ClickKind::option:
        return ItemClickKind::Option;
    case ClickKind::left:
        break;
    }
    return ItemClickKind::Left;
}

const char *clickName(ClickKind click) {
    return click == ClickKind::right ? "right" : click == ClickKind::option ? "option" : "left";
}

// Where each item of the bar stands between Zorv's separators, by the engine's identity.
QList<std::pair<MenuBarItemID, Section>> standings(const QList<BarEntry> &bar,
                                                   const QList<MenuBarItem> &scanned) {
    const QHash<quint64, MenuBarItem> matched = EngineSections::items(bar, scanned);
    QList<std::pair<MenuBarItemID, Section>> result;
    Section lane = Section::alwaysHidden;
    for (const BarEntry &entry : bar) {
        if (entry.autosaveName == BarItems::zorvAlwaysHiddenSeparatorName) {
            lane = Section::hidden;
        } else if (entry.autosaveName == BarItems::zorvHiddenSeparatorName) {
            lane = Section::shown;
        }
        const auto item = matched.constFind(entry.itemId);
        // The system's fixed items stand where the system puts them.
        if (item != matched.constEnd() && !entry.immovable) {
            result.append({item->id, lane});
        }
    }
    return result;
}

} // namespace

void ChaosWatch::activationAsked(const MenuBarItemID &id, ClickKind click, const QString &route) {
    Asked asked;
    asked.id = id;
    asked.click = click;
    asked.route = route;
    asked.at = m_clock.now();
    asked.hotkeyLogSize = hotkeyLogSize();
    asked.recordBefore = lastActivateRecord();
    asked.itemId = barItemOf(id);
    m_asked.append(asked);
}

std::optional<quint64> ChaosWatch::barItemOf(const MenuBarItemID &id) const {
    const QList<MenuBarItem> &scanned = m_engine->lastItems();
    const auto item =
        std::find_if(scanned.cbegin(), scanned.cend(), [&id](const MenuBarItem &candidate) {
            return candidate.id == id && !candidate.isDormant;
        });
    if (item == scanned.cend()) {
        return std::nullopt;
    }
    // By frame, not by the order of the application's items: the user may have dragged one of
    // them past another since the scan, and the engine tells them apart by more than order.
    std::optional<quint64> found;
    for (const BarEntry &entry : m_desktop.readout().bar()) {
        if (entry.bundleIdentifier == id.bundleID &&
            std::abs(entry.frame.left() - item->frame.left()) < kSameFrame &&
            std::abs(entry.frame.width() - item->frame.width()) < kSameFrame) {
            if (found) {
                return std::nullopt;
            }
            found = entry.itemId;
        }
    }
    return found;
}

bool ChaosWatch::onBar(const QString &bundleID) const {
    const QList<BarEntry> bar = m_desktop.readout().bar();
    return std::any_of(bar.cbegin(), bar.cend(), [&bundleID](const BarEntry &entry) {
        return entry.bundleIdentifier == bundleID;
    });
}

void ChaosWatch::activationWithdrawn(const MenuBarItemID &id) {
    for (qsizetype i = m_asked.size() - 1; i >= 0; --i) {
        if (m_asked.at(i).id == id) {
            m_asked.removeAt(i);
            return;
        }
    }
}

bool ChaosWatch::clicked(quint64 itemId, ClickKind kind, MonotonicTime since) const {
    const QList<DeliveredClick> clicks = m_desktop.readout().clicks();
    return std::any_of(clicks.cbegin(), clicks.cend(), [&](const DeliveredClick &click) {
        return click.itemId == itemId && click.at >= since &&
               click.origin == EventOrigin::Synthetic && click.kind == deliveredKind(kind);
    });
}

bool ChaosWatch::menuOpenSince(quint64 itemId, MonotonicTime since) const {
    const std::optional<OpenItemMenu> menu = m_desktop.readout().openItemMenu();
    if (menu && menu->itemId == itemId) {
        return true;
    }
    const QList<ClosedItemMenu> closings = m_desktop.readout().itemMenuClosings();
    return std::any_of(closings.cbegin(), closings.cend(), [&](const ClosedItemMenu &closed) {
        return closed.menu.itemId == itemId && closed.closedAt >= since;
    });
}

std::optional<QString> ChaosWatch::loggedFailure(const MenuBarItemID &id, qint64 offset) const {
    QFile file(ZorvPaths::file(kHotkeyLog));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset)) {
        return std::nullopt;
    }
    const QString key = u" key="_s + stableKey(id) + u' ';
    QTextStream lines(&file);
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        if (line.contains(key) && (line.contains(u"FAILED"_s) || line.contains(u"NO MATCH"_s))) {
            return line;
        }
    }
    return std::nullopt;
}

void ChaosWatch::checkActivations() {
    if (m_asked.isEmpty()) {
        return;
    }
    const QString record = lastActivateRecord();
    for (Asked &asked : m_asked) {
        if (!asked.itemId) {
            asked.itemId = barItemOf(asked.id);
        }
        if (asked.outcome.isEmpty() && record != asked.recordBefore) {
            asked.outcome = outcomeFor(record, asked.id).value_or(QString());
        }
    }
    m_asked.removeIf([this](const Asked &asked) {
        if (asked.itemId && clicked(*asked.itemId, asked.click, asked.at)) {
            ++m_counts.activations;
            return true;
        }
        // The item's menu was open when the engine looked, and the engine left it so; the user
        // may have chosen a row in it or closed it since.
        if (asked.itemId && asked.outcome.startsWith(u"its menu was open already"_s) &&
            menuOpenSince(*asked.itemId, asked.at)) {
            ++m_counts.activations;
            return true;
        }
        if (loggedFailure(asked.id, asked.hotkeyLogSize)) {
            ++m_counts.activations;
            return true;
        }
        // Its application quit before the bar could tell which item it was: nothing is left to
        // open, nor to tell a click on it by.
        if (!asked.itemId && !onBar(asked.id.bundleID)) {
            return true;
        }
        if (toSeconds(m_clock.now() - asked.at) < kActivationSeconds) {
            return false;
        }
        breach(u"%1 asked for by %2 (%3 click) neither opened nor failed with a reason "
               "(its activation record: %4)"_s.arg(
                   asked.id.bundleID, asked.route, QString::fromLatin1(clickName(asked.click)),
                   asked.outcome.isEmpty() ? u"none"_s : asked.outcome));
        return true;
    });
}

void ChaosWatch::checkLanes() {
    const QList<BarEntry> bar = m_desktop.readout().bar();
    QString seen;
    QTextStream out(&seen);
    for (const BarEntry &entry : bar) {
        out << entry.itemId << ' ';
        // A reveal or a tuck stretches or collapses the separators.
        if (entry.autosaveName.startsWith(u"zorv-"_s)) {
            out << entry.frame.width() << ' ';
        }
    }
    // Another display under the bar changes what a drag can reach, as another front application
    // does, and the engine's scans wait for the screens to settle.
    out << '|' << screensNow(bar) << '|' << m_desktop.accessibility().isProcessTrusted() << '|'
        << m_engine->reconcileInFlight() << '|'
        << m_desktop.applications().frontmostProcessId().value_or(0) << '|';
    const SectionLayout stored = m_model->layoutOrder();
    for (Section lane : allSections) {
        for (const MenuBarItemID &id : stored.ids(lane)) {
            out << stableKey(id) << ' ';
        }
        out << '|';
    }
    if (seen != m_barSeen) {
        m_barSeen = seen;
        m_barSteadySince = m_clock.now();
        m_steadyBarChecked = false;
        return;
    }
    if (m_steadyBarChecked || toSeconds(m_clock.now() - m_barSteadySince) < kSettledSeconds ||
        m_engine->reconcileInFlight() || !m_desktop.accessibility().isProcessTrusted()) {
        return;
    }
    m_steadyBarChecked = true;
    ++m_counts.lanes;
    QSet<MenuBarItemID> waiting;
    for (const MenuBarItem &item : m_engine->lastItems()) {
        if (item.unplacedBecause) {
            waiting.insert(item.id);
        }
    }
    for (const auto &[id, lane] : standings(bar, m_engine->lastItems())) {
        const std::optional<Section> wanted = stored.sectionOf(id);
        if (wanted && *wanted != lane && !m_engine->laneFailed().contains(id) &&
            !waiting.contains(id)) {
            breach(u"%1 stands in %2 on the settled bar, stored in %3, no lane failure and in "
                   "reach"_s.arg(id.bundleID, rawValue(lane), rawValue(*wanted)));
        }
    }
}

} // namespace zorv
