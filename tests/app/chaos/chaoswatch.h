#pragma once

#include "clickkind.h"
#include "clock.h"
#include "inputevent.h"
#include "menubaritem.h"
#include "sectionlayout.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace zorv {

class AppModel;
class ClassicEngine;
class SimulatedDesktop;
struct BarEntry;

// What the chaos run must hold at every moment, checked as it goes: each watch looks at the Mac
// and the app when asked, counts its checks and notes every breach with the simulated second it
// happened at.
class ChaosWatch {
public:
    // How many times each invariant was checked.
    struct Counts {
        qint64 icon = 0;
        qint64 cursor = 0;
        qint64 engineDrags = 0;
        qint64 layoutChanges = 0;
        qint64 stores = 0;
        qint64 activations = 0;
        qint64 lanes = 0;

        friend bool operator==(const Counts &, const Counts &) = default;
    };

    // Breaches noted past this many are only counted.
    static constexpr qsizetype kBreachesKept = 20;
    // The watchdog's period, and how many of its ticks the icon may stay out of sight.
    static constexpr double kWatchdogTick = 0.8;
    static constexpr int kTicksOffScreen = 2;
    // The engine never starts a drag this soon after the user's own input.
    static constexpr double kHandsOffSeconds = 1.5;
    // A drag is under way from its cursor warp, before its mouse-down (the slow gesture settles
    // 80 ms after the warp and its Command key-down): input in that moment comes after the
    // engine last looked.
    static constexpr double kDragLeadInSeconds = 0.09;
    // How long an activation may take to open its item or fail: the menu bar's nudges, the
    // reveal's waits, and the scans' accessibility calls to applications that do not answer
    // (each waits out its 6 s timeout).
    static constexpr double kActivationSeconds = 60.0;
    // How long the bar, its reveal, the screens and the display it is on, the front application
    // and the wanted layout stand unchanged, with the permission, before the bar counts as
    // settled: past the quiet the engine's scans wait for (15 s after a display change, 12 s
    // after an application comes or goes), two polls 30 s apart that confirm a drift, and the run
    // that mends it.
    static constexpr double kSettledSeconds = 80.0;

    // When Zorv's icon counts as out of sight though it would fit.
    enum class IconRule {
        // It is off screen while collapsing the separators right of it would bring it on.
        offScreen,
        // It is not drawn (off screen, under the front application's menus or behind the camera
        // housing) while the rightmost slot of the bar would show it.
        notDrawn,
    };

    ChaosWatch(SimulatedDesktop &desktop, const ClassicEngine &engine, AppModel &model,
               Clock &clock, IconRule iconRule = IconRule::offScreen);

    // The user, a profile, an import or a sync may change the wanted layout until `until`.
    void allowLayoutChangesUntil(MonotonicTime until);
    // Looks at the icon and the cursor; at every tick of the run.
    void checkTick();
    // Reads the window server's input log for drags the engine began under the user's hands;
    // at least once for every logCapacity events.
    void checkHands();
    // Reads the four store files and the backups back; less often, it reads the disk.
    void checkStores();
    // The wanted layout changed in the model.
    void layoutChanged();
    // The user asked Zorv to open the item by `route`: within kActivationSeconds the simulated
    // Mac must record that the item received the click (on it while drawn, or as a press of its
    // element), or the hot-key log must say why it could not be opened.
    void activationAsked(const MenuBarItemID &id, ClickKind click, const QString &route);
    // The last activation of the item asked for never reached Zorv (a tap that missed): it is
    // not waited for.
    void activationWithdrawn(const MenuBarItemID &id);
    // Once the bar has settled, each item's stored lane is where it stands between Zorv's
    // separators, unless the engine lists the item's lane as failed or says no drag can take it
    // there for now; at least every few ticks.
    void checkLanes();
    // Zorv quit and was launched again: the watch looks at the new engine and model, whose
    // wanted layout must be the one the last held.
    void relaunched(const ClassicEngine &engine, AppModel &model);

    [[nodiscard]] const Counts &counts() const { return m_counts; }
    [[nodiscard]] const QStringList &breaches() const { return m_breaches; }
    [[nodiscard]] qint64 breachCount() const { return m_breachCount; }

private:
    void breach(const QString &what);
    [[nodiscard]] double elapsed() const;
    // The screens' arrangement and the display the bar is on.
    [[nodiscard]] QString screensNow(const QList<BarEntry> &bar) const;
    void checkIcon();
    // Whether the icon, in the rightmost slot of its bar, would be drawn.
    [[nodiscard]] bool iconFitsRightmost(const QList<BarEntry> &bar, const BarEntry &icon) const;
    void checkCursor();
    void checkActivations();
    // Whether the status item received a click of `kind` at or after `since`.
    [[nodiscard]] bool clicked(quint64 itemId, ClickKind kind, MonotonicTime since) const;
    // Whether the status item's menu was open at some moment from `since` on: open now, or
    // closed at or after it.
    [[nodiscard]] bool menuOpenSince(quint64 itemId, MonotonicTime since) const;
    // Whether an item of the application stands on a bar.
    [[nodiscard]] bool onBar(const QString &bundleID) const;
    // The status item of the item's application standing on the bar where the engine's last scan
    // saw the item; none when none stands there, as while that scan is older than a move.
    [[nodiscard]] std::optional<quint64> barItemOf(const MenuBarItemID &id) const;
    // What the hot-key log says of the item's key from `offset` on: the first failure (the item
    // not found, or its activation failed), if any.
    [[nodiscard]] std::optional<QString> loggedFailure(const MenuBarItemID &id,
                                                       qint64 offset) const;
    // Whether the reconcile log's last lines say why the engine changed the item's lane: a drag
    // of the user's it read off the bar, one of its adoption rules, or its lane drags not taking
    // on two runs.
    [[nodiscard]] bool loggedLaneChange(const QString &bundleID) const;

    SimulatedDesktop &m_desktop;
    const ClassicEngine *m_engine;
    AppModel *m_model;
    Clock &m_clock;
    const MonotonicTime m_start;
    const IconRule m_iconRule;
    Counts m_counts;
    QStringList m_breaches;
    qint64 m_breachCount = 0;

    // Icon: since when it is out of sight though it could be seen, and when the screens last
    // changed (the watchdog stands down for a moment after that).
    std::optional<MonotonicTime> m_iconOffSince;
    QString m_screensSeen;
    MonotonicTime m_screensChangedAt{};
    // Hands: the newest event read from the window server's log, how many at that very time
    // were read, and the user's latest input.
    std::chrono::nanoseconds m_lastEventAt{-1};
    qsizetype m_eventsAtLast = 0;
    QList<std::pair<std::chrono::nanoseconds, EventType>> m_recentUserInput;
    // Layout.
    SectionLayout m_layout;
    MonotonicTime m_layoutChangesAllowedUntil{};
    // Stores: the files seen so far.
    QSet<QString> m_storesSeen;
    // Activations asked for and not yet seen through, with where the hot-key log then ended.
    struct Asked {
        MenuBarItemID id;
        // The status item the bar shows for it, once the engine's last scan tells which.
        std::optional<quint64> itemId;
        ClickKind click = ClickKind::left;
        QString route;
        MonotonicTime at{};
        qint64 hotkeyLogSize = 0;
        // The engine's last activation record when asked, and the first one since that names
        // the item.
        QString recordBefore;
        QString outcome;
    };
    QList<Asked> m_asked;
    // Lanes: the bar's order, the screens it is laid out on and the wanted layout as last seen,
    // since when they stand, and whether this stretch was checked already.
    QString m_barSeen;
    MonotonicTime m_barSteadySince{};
    bool m_steadyBarChecked = false;
};

} // namespace zorv
