#include "chaoswatch.h"

#include "../scenariomac.h"
#include "appmodel.h"
#include "engine/classicengine.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "reconcile/dragplan.h"
#include "separators/separatorcontroller.h"
#include "simulateddesktop.h"
#include "simulatedplatform.h"
#include "storage/storevalue.h"
#include "storage/zorvpaths.h"
#include <QtDebug>

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How long the watchdog stands down after the screens change.
constexpr double kScreenSettleSeconds = 3.0;
// The check's own granularity on top of the watchdog's ticks.
constexpr double kIconSlackSeconds = 0.4;
// Room left beside the icon in the rightmost slot, for the spacing between items.
constexpr double kSlotSpacing = 16.0;
// How far back in the reconcile log an adoption of a layout change is looked for.
constexpr qsizetype kLogLinesLookedAt = 30;
// How the engine's record of an item given up where it stands begins.
const QString kRetired = u"lane drag refused"_s;

// How many runs logged before line `end` posted a lane drag of one of the application's items
// that did not take.
int refusedLaneRuns(const QList<QJsonObject> &lines, qsizetype end, const QString &bundleID) {
    const QString laneMove = bundleID + DragPlan::laneArrow;
    int runs = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const QJsonArray moves = lines.at(i).value(u"moves"_s).toArray();
        runs += std::any_of(moves.cbegin(), moves.cend(), [&laneMove](const QJsonValue &move) {
            const QJsonObject fields = move.toObject();
            return fields.value(u"what"_s).toString().startsWith(laneMove) &&
                   fields.value(u"took"_s) == QJsonValue(false);
        });
    }
    return runs;
}

bool isZorvSeparator(const BarEntry &entry) {
    return entry.bundleIdentifier == SimulatedPlatform::bundleIdentifier &&
           (entry.autosaveName == BarItems::zorvHiddenSeparatorName ||
            entry.autosaveName == BarItems::zorvAlwaysHiddenSeparatorName);
}

// The file of a store holds what the store holds whenever the store says so, and always decodes.
template <typename Value> std::optional<QString> storeProblem(const JSONStore<Value> &store) {
    const JSONStoreBase::FileImage image = store.fileImage();
    if (!image.bytes) {
        return std::nullopt;
    }
    try {
        const Value onDisk = fromStoreJson<Value>(parseJson(*image.bytes));
        if (image.exact && !(onDisk == store.value())) {
            return u"holds another value than the store"_s;
        }
    } catch (const DecodeError &error) {
        return u"cannot be read: "_s + error.message();
    }
    return std::nullopt;
}

} // namespace

ChaosWatch::ChaosWatch(SimulatedDesktop &desktop, const ClassicEngine &engine, AppModel &model,
                       Clock &clock, IconRule iconRule)
    : m_desktop(desktop), m_engine(&engine), m_model(&model), m_clock(clock), m_start(clock.now()),
      m_iconRule(iconRule), m_layout(model.layoutOrder()) {}

void ChaosWatch::allowLayoutChangesUntil(MonotonicTime until) {
    m_layoutChangesAllowedUntil = std::max(m_layoutChangesAllowedUntil, until);
}

double ChaosWatch::elapsed() const {
    return toSeconds(m_clock.now() - m_start);
}

void ChaosWatch::breach(const QString &what) {
    ++m_breachCount;
    if (m_breaches.size() < kBreachesKept) {
        m_breaches.append(u"at %1 s: %2"_s.arg(elapsed(), 0, 'f', 1).arg(what));
    }
}

void ChaosWatch::checkTick() {
    checkIcon();
    checkCursor();
    checkActivations();
}

QString ChaosWatch::screensNow(const QList<BarEntry> &bar) const {
    QString screens;
    QTextStream out(&screens);
    for (const Screen &screen : m_desktop.screens().screens()) {
        out << screen.displayId << ' ' << screen.frame.x() << ' ' << screen.frame.width() << ';';
    }
    out << (bar.isEmpty() ? 0 : bar.first().displayId);
    return screens;
}

void ChaosWatch::checkIcon() {
    const QList<BarEntry> bar = m_desktop.readout().bar();
    const QString screens = screensNow(bar);
    if (screens != m_screensSeen) {
        m_screensSeen = screens;
        m_screensChangedAt = m_clock.now();
    }

    qsizetype index = -1;
    for (qsizetype i = 0; i < bar.size(); ++i) {
        if (bar.at(i).bundleIdentifier == SimulatedPlatform::bundleIdentifier &&
            bar.at(i).autosaveName == BarItems::zorvIconName) {
            index = i;
        }
    }
    if (index < 0) {
        m_iconOffSince.reset();
        return;
    }
    ++m_counts.icon;
    const BarEntry &icon = bar.at(index);
    // The icon could be seen when the separators right of it collapsed would bring it on screen.
    double collapsible = 0.0;
    for (qsizetype i = index + 1; i < bar.size(); ++i) {
        if (isZorvSeparator(bar.at(i))) {
            collapsible += std::max(0.0, bar.at(i).length - SeparatorController::collapsedLength);
        }
    }
    double screenLeft = icon.frame.right();
    for (const Screen &screen : m_desktop.screens().screens()) {
        if (screen.displayId == icon.displayId) {
            screenLeft = screen.frame.left();
        }
    }
    const bool seen = m_iconRule == IconRule::offScreen ? icon.onScreen : icon.visible;
    const bool canBeSeen = m_iconRule == IconRule::offScreen
                               ? icon.frame.right() + collapsible > screenLeft + 1.0
                               : iconFitsRightmost(bar, icon);
    const bool settling =
        toSeconds(m_clock.now() - m_screensChangedAt) < kScreenSettleSeconds + kWatchdogTick;
    if (seen || !canBeSeen || settling) {
        m_iconOffSince.reset();
        return;
    }
    if (!m_iconOffSince) {
        m_iconOffSince = m_clock.now();
    }
    const double off = toSeconds(m_clock.now() - *m_iconOffSince);
    if (off > kTicksOffScreen * kWatchdogTick + kIconSlackSeconds) {
        breach(u"Zorv's icon out of sight for %1 s though it fits (x %2, %3 pt of separators "
               "right of it, revealed %4, under the menus %5, behind the housing %6)"_s
                   .arg(off, 0, 'f', 1)
                   .arg(icon.frame.left())
                   .arg(collapsible)
                   .arg(m_engine->isRevealed())
                   .arg(icon.underMenus)
                   .arg(icon.underHousing));
        m_iconOffSince.reset();
    }
}

bool ChaosWatch::iconFitsRightmost(const QList<BarEntry> &bar, const BarEntry &icon) const {
    // The rightmost slot is left of the system's fixed items at the right end of the bar.
    double right = bar.isEmpty() ? 0.0 : bar.last().frame.right();
    for (qsizetype i = bar.size() - 1; i >= 0 && bar.at(i).immovable; --i) {
        right = bar.at(i).frame.left();
    }
    const double left = right - icon.frame.width() - kSlotSpacing;
    const std::optional<double> menusRight = m_desktop.readout().menusRight(icon.displayId);
    if (!menusRight || left < *menusRight) {
        return false;
    }
    for (const Screen &screen : m_desktop.screens().screens()) {
        if (screen.displayId != icon.displayId) {
            continue;
        }
        const auto housing = screen.housingSpan();
        return left >= screen.frame.left() &&
               !(housing && left < housing->second && right > housing->first);
    }
    return false;
}

void ChaosWatch::checkCursor() {
    if (m_engine->reconcileInFlight() || m_engine->cursor().session()) {
        return;
    }
    ++m_counts.cursor;
    const CursorState cursor = m_desktop.readout().cursor();
    bool hidden = false;
    for (const int hides : cursor.hideCounts) {
        hidden = hidden || hides != 0;
    }
    if (!cursor.mouseAssociated || hidden) {
        breach(u"the cursor is %1 with no run in flight"_s.arg(
            cursor.mouseAssociated ? u"hidden"_s : u"detached from the mouse"_s));
    }
}

void ChaosWatch::checkHands() {
    const QList<LoggedEvent> events = m_desktop.readout().events();
    const auto readUpTo = m_lastEventAt;
    const qsizetype readAtLast = m_eventsAtLast;
    qsizetype seenAtLast = 0;
    for (const LoggedEvent &event : events) {
        if (event.at < readUpTo || (event.at == readUpTo && seenAtLast++ < readAtLast)) {
            continue;
        }
        if (event.at != m_lastEventAt) {
            m_lastEventAt = event.at;
            m_eventsAtLast = 0;
        }
        ++m_eventsAtLast;
        if (event.dropped) {
            continue;
        }
        m_recentUserInput.removeIf([&event](const auto &input) {
            return toSeconds(event.at - input.first) >= kHandsOffSeconds;
        });
        if (event.origin == EventOrigin::User) {
            m_recentUserInput.append({event.at, event.type});
            continue;
        }
        if (event.type != EventType::LeftMouseDown || !(event.flags & EventFlags::command)) {
            continue;
        }
        ++m_counts.engineDrags;
        for (const auto &[at, type] : std::as_const(m_recentUserInput)) {
            const double before = toSeconds(event.at - at);
            if (before >= kDragLeadInSeconds) {
                breach(u"the engine began a drag %1 s after the user's input (event type %2)"_s
                           .arg(before, 0, 'f', 2)
                           .arg(int(type)));
                break;
            }
        }
    }
}

bool ChaosWatch::loggedLaneChange(const QString &bundleID) const {
    const QList<QJsonObject> lines = reconcileLog();
    // The newest record of the item says why.
    for (qsizetype i = lines.size() - 1;
         i >= std::max<qsizetype>(0, lines.size() - kLogLinesLookedAt); --i) {
        const QJsonObject &line = lines.at(i);
        const QString kind = line.value(u"kind"_s).toString();
        if (line.value(u"item"_s).toString() != bundleID ||
            (kind != u"user-drag"_s && kind != u"adopt"_s)) {
            continue;
        }
        // The engine gives an item up where it stands only after runs that posted lane drags of
        // it which did not take; an item it could not get at keeps its lane.
        return kind == u"user-drag"_s || !line.value(u"reason"_s).toString().startsWith(kRetired) ||
               refusedLaneRuns(lines, i, bundleID) >= 2;
    }
    return false;
}

void ChaosWatch::layoutChanged() {
    const SectionLayout layout = m_model->layoutOrder();
    ++m_counts.layoutChanges;
    if (m_clock.now() >= m_layoutChangesAllowedUntil) {
        for (Section lane : allSections) {
            for (const MenuBarItemID &id : m_layout.ids(lane)) {
                const std::optional<Section> now = layout.sectionOf(id);
                if (!now) {
                    breach(u"%1 left the wanted layout"_s.arg(id.bundleID));
                } else if (*now != lane && !loggedLaneChange(id.bundleID)) {
                    breach(
                        u"%1 changed lane (%2 to %3) with no drag, adoption or refused drags"_s.arg(
                            id.bundleID, rawValue(lane), rawValue(*now)));
                }
            }
        }
    }
    m_layout = layout;
}

void ChaosWatch::relaunched(const ClassicEngine &engine, AppModel &model) {
    m_engine = &engine;
    m_model = &model;
    m_iconOffSince.reset();
    // Activations under way died with the app that was asked.
    m_asked.clear();
    if (m_clock.now() >= m_layoutChangesAllowedUntil && !(model.layoutOrder() == m_layout)) {
        breach(u"the wanted layout changed across a relaunch"_s);
    }
    m_layout = model.layoutOrder();
}

void ChaosWatch::checkStores() {
    ++m_counts.stores;
    const auto check = [this](const auto &store) {
        const QString name = QFileInfo(store.path()).fileName();
        if (QFileInfo::exists(store.path())) {
            m_storesSeen.insert(name);
        } else if (m_storesSeen.contains(name)) {
            breach(name + u" is gone"_s);
        }
        if (const auto problem = storeProblem(store)) {
            breach(name + u' ' + *problem);
        }
    };
    check(m_model->settingsStore());
    check(m_model->layoutStore());
    check(m_model->profilesStore());
    check(m_model->triggersStore());
    const QStringList setAside =
        QDir(ZorvPaths::root()).entryList({u"*.unreadable-*"_s}, QDir::Files);
    if (!setAside.isEmpty()) {
        breach(u"set aside as unreadable: "_s + setAside.join(u", "_s));
    }
    const qsizetype backups =
        QDir(m_model->backupsFolder()).entryList({u"layout-*.json"_s}, QDir::Files).size();
    if (backups > AppModel::layoutBackupsKept) {
        breach(u"%1 layout backups kept"_s.arg(backups));
    }
}

} // namespace zorv
