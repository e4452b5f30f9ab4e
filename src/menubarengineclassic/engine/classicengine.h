#pragma once

#include "activation/openingtry.h"
#include "capture/captureservice.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/snapshotitems.h"
#include "discovery/itemdiscovery.h"
#include "discovery/scanreading.h"
#include "drag/borrowedcursor.h"
#include "drift/driftrules.h"
#include "engineplatform.h"
#include "harness/dragtestrequest.h"
#include "latesttask.h"
#include "menubarengine.h"
#include "reconcile/bargeometry.h"
#include "reconcile/dragplan.h"
#include "reconcile/dragplanner.h"
#include "reconcile/reachability.h"
#include "reconcile/runtally.h"
#include "separators/separatorcontroller.h"
#include "separators/separatorplacement.h"
#include "state/activationturns.h"
#include "state/barreading.h"
#include "state/driftmemory.h"
#include "state/heldtuck.h"
#include "state/hidinghealth.h"
#include "state/itemrecords.h"
#include "state/layoutpace.h"
#include "state/openmenus.h"
#include "state/revealstate.h"
#include "state/runqueue.h"
#include "state/waitingreasons.h"
#include "state/wantedlayout.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QMetaObject>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

namespace zorv {

// The working engine: finds every other application's status item with an identity that stays
// stable across scans, hides and reveals the hidden and always-hidden sections with two separator
// items of its own, re-hides after a delay, recovers when a tuck is refused, watches its own icon,
// rescans when applications or screens change, keeps the wanted layout in step with the bar and
// clicks items for the user. It writes its decisions to the diagnostics folder.
//
// Main thread only. Its background work (auto-hide, recovery, rescans, poll, watchdog) runs in
// tasks that hold the engine through a QPointer and end when it is gone. The implementation is
// split by concern over several classicengine*.cpp files.
class ClassicEngine final : public QObject, public MenuBarEngine {
    Q_OBJECT

public:
    using LaunchTuck = RevealState::LaunchTuck;

    // The auto-hide delay a new user has; also how long a tuck held for an activation waits when
    // the auto-hide is switched off.
    static constexpr double defaultAutoRehideSeconds = 10.0;

    ClassicEngine(EnginePlatform platform, SectionLayout layout, QObject *parent = nullptr);
    ~ClassicEngine() override;

    // MenuBarEngine.
    [[nodiscard]] EngineCapabilities capabilities() const override { return m_capabilities; }
    [[nodiscard]] AsyncQueue<QList<MenuBarItem>> &itemsStream() override { return m_items; }
    [[nodiscard]] double autoRehideSeconds() const override { return m_autoRehideSeconds; }
    void setAutoRehideSeconds(double seconds) override;
    [[nodiscard]] bool reorderEnabled() const override { return m_reorderEnabled; }
    void setReorderEnabled(bool enabled) override { m_reorderEnabled = enabled; }
    [[nodiscard]] const LayoutChangedCallback &onLayoutChanged() const override {
        return m_onLayoutChanged;
    }
    void setOnLayoutChanged(LayoutChangedCallback callback) override;
    [[nodiscard]] bool isRevealed() const override { return m_reveal.isRevealed(); }
    [[nodiscard]] std::optional<HidingBlockedReason> hidingBlocked() const override;
    [[nodiscard]] const HidingBlockedChangedCallback &onHidingBlockedChanged() const override {
        return m_onHidingBlockedChanged;
    }
    void setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) override;
    QCoro::Task<> retryHiding() override;
    [[nodiscard]] std::optional<QRectF> iconFrame() const override;
    [[nodiscard]] bool iconVisible() const override;
    void setIconVisible(bool visible) override;
    [[nodiscard]] bool captureEnabled() const override { return m_captureEnabled; }
    void setCaptureEnabled(bool enabled) override;
    QCoro::Task<> toggleRevealed(bool includingAlwaysHidden) override;
    QCoro::Task<> start() override;
    QCoro::Task<> apply(SectionLayout layout) override;
    QCoro::Task<> reconcileMenuBar(QString trigger) override;
    using MenuBarEngine::setHiddenRevealed;
    QCoro::Task<> setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                    bool holdOpen) override;
    QCoro::Task<> activate(MenuBarItemID id, ClickKind click) override;
    QCoro::Task<> move(MenuBarItemID id, SectionPlacement placement) override;
    QCoro::Task<> refresh() override;

    // Reveals everything at once and keeps it in view until the next request: no record, no
    // auto-hide. The shell's emergency command.
    void forceShowEverything();

    // Called after each refused tuck; the shell writes a line to the system log.
    void setOnTuckRefused(std::function<void()> callback) { m_onTuckRefused = std::move(callback); }
    // Called with the new button after the engine made its icon's status item anew (the
    // first-launch placement); the shell dresses it.
    void setOnIconReplaced(std::function<void(StatusItemButton *)> callback) {
        m_onIconReplaced = std::move(callback);
    }

    // Puts the newest snapshot in "diagnostics.json" now: the file is otherwise left as it is
    // while only the time of the last scan changes. For a problem report about to read it.
    void writeLatestDiagnostics() const;

    [[nodiscard]] bool batchExecutionEnabled() const { return m_batchExecutionEnabled; }
    void setBatchExecutionEnabled(bool enabled) { m_batchExecutionEnabled = enabled; }

    [[nodiscard]] SeparatorController &separatorController() { return *m_separatorController; }
    [[nodiscard]] const QList<MenuBarItem> &lastItems() const { return m_bar.lastItems(); }
    [[nodiscard]] const SectionLayout &storedLayout() const { return m_wanted.storedLayout(); }
    [[nodiscard]] const QSet<MenuBarItemID> &unmovable() const { return m_records.unmovable(); }
    [[nodiscard]] LaunchTuck launchTuck() const { return m_reveal.launchTuck(); }

    // True while another vendor's menu-bar manager runs; the engine then leaves the order alone.
    [[nodiscard]] bool competingManagerRunning() const;
    // Returns once no counted input (mouse moves, presses, drags, scrolls, key presses) has
    // arrived for `quiet` seconds, or none since `since` (0.15 s slack), or when cancelled.
    QCoro::Task<> waitForInputIdle(double quiet, std::optional<QDateTime> since,
                                   CancellationToken cancellation = {});

    // Not dormant and wider than 0: the item stands on the bar.
    [[nodiscard]] static bool isOnTheBar(const MenuBarItem &item) {
        return !item.isDormant && item.frame.width() > 0;
    }

    // Applications whose item identities keep changing: {"bundleID", "identities", "liveItems"},
    // most identities first.
    [[nodiscard]] QJsonArray identityChurn() const { return m_bar.identityChurn(); }

    // What the last reconcile run that came to its end did, for the desktop window; empty
    // before the first one.
    [[nodiscard]] const QJsonObject &lastReconcile() const { return m_runs.lastReconcile(); }
    [[nodiscard]] const QSet<MenuBarItemID> &needsSlowGesture() const {
        return m_records.needsSlowGesture();
    }
    [[nodiscard]] const QHash<MenuBarItemID, int> &stubbornOrder() const {
        return m_records.stubbornOrder();
    }
    [[nodiscard]] bool orderDirty() const { return m_wanted.orderDirty(); }
    // The items whose lane drags failed, with when, until the lane-failure upkeep judges them.
    [[nodiscard]] const QHash<MenuBarItemID, QDateTime> &laneFailed() const {
        return m_records.laneFailed();
    }
    [[nodiscard]] bool reconcileInFlight() const { return m_runs.reconcileInFlight(); }
    [[nodiscard]] const BorrowedCursor &cursor() const { return m_cursor; }
    // The last reading of the bar found the Accessibility permission missing: nothing can be
    // measured or dragged until it comes, and hiding waits for it.
    [[nodiscard]] bool waitingForAccessibility() const;

private:
    using IconSeat = SeparatorPlacement::Icon;

    // Reveal and tuck.
    QCoro::Task<> setHiddenRevealed(bool revealed, bool includingAlwaysHidden, QString reason,
                                    bool holdOpen);
    QCoro::Task<> tuckAsSoonAsTheBarIsLaidOut();
    // On a bar that remembers no position for the three items: measures the bar, keeps the
    // positions that bring them up in reach under their autosave names and creates them again.
    // Without the Accessibility permission it brings them up in sight, hiding refused, and
    // leaves the measuring to the grant.
    QCoro::Task<> placeItemsInReach();
    // Remembers these positions for Zorv's three items and creates them again there.
    void recreateItemsAt(double icon, double hiddenSeparator, double alwaysHiddenSeparator);
    // Where the separators stand leaves items out of the lanes the wanted layout asks for, and
    // other places would leave fewer, or the icon stands left of one (or anywhere but the right
    // end, with `Icon::toRightEnd`); absent when all stand right.
    [[nodiscard]] std::optional<SeparatorPlacement>
    separatorsOutOfPlace(IconSeat iconSeat = IconSeat::keepsItsPlace) const;
    // Creates the three items again with the separators where the lanes meet and the icon right
    // of both, when they stand elsewhere: true when it did. Needs no drag, so it puts Zorv's own
    // items back in order whether or not the user lets Zorv arrange the bar.
    bool seatItemsBetweenLanes(IconSeat iconSeat = IconSeat::keepsItsPlace);
    // For an icon out of sight where no reveal brings it back (right of both separators, or left
    // of them on a bar too crowded for a reveal to show it): creates the icon again alone in the
    // rightmost slot, when that is in view (clear of the front application's menus and the
    // camera housing) or nothing can tell, and starts settleAroundSeatedIcon() without waiting
    // for it. True when it seated the icon.
    QCoro::Task<bool> seatIconInSight();
    // Applies the reveal state again around an icon just seated; with the permission, then also
    // puts the separators where the lanes meet if they stand elsewhere.
    static QCoro::Task<> settleAroundSeatedIcon(QPointer<ClassicEngine> self,
                                                CancellationToken token);
    // Where an icon created at the right end of the movable items would stand, on the bar the
    // last scan read; none before one read it.
    struct RightmostSlot {
        double left = 0.0;
        double right = 0.0;
        // The bar's screen, and the span of x its camera housing covers.
        QRectF screen;
        std::optional<std::pair<double, double>> housing;
    };
    [[nodiscard]] std::optional<RightmostSlot> rightmostSlot() const;
    // Whether the icon created again at the right end would be in sight, or nothing can tell (the
    // permission is missing); false while the user hides it.
    [[nodiscard]] bool iconSeatWouldShow() const;
    // Whether an icon in the rightmost slot would be in view: on the bar's screen, clear of the
    // camera housing and of the front application's menus as last read.
    [[nodiscard]] bool rightmostSlotInView() const;
    // Whether the icon stands in the rightmost slot; right of both separators when no scan
    // tells where that is.
    [[nodiscard]] bool iconInRightmostSlot() const;
    // Creates the icon again alone at the right end of the movable items.
    void recreateIconAtRightEnd();
    // seatItemsBetweenLanes(); when it moved them, applies the reveal state again (`reason`) and
    // scans the bar they make.
    QCoro::Task<> placeSeparatorsBetweenLanes(QString reason,
                                              IconSeat iconSeat = IconSeat::keepsItsPlace);
    // Whether the last scan found an item on the bar that the wanted layout places: the user's
    // lanes can be read off it, rather than measured as at a first launch.
    [[nodiscard]] bool layoutPlacesItemsOnTheBar() const;
    // Whether the engine's own items stand where the bar's lanes can be read off them: the
    // separators in order with the icon right of both, and no placement pending for a grant.
    [[nodiscard]] bool ownItemsInOrder() const;
    // Whether the engine's own items can be seated again now: the permission is there, the icon
    // is shown and no run is dragging.
    [[nodiscard]] bool canSeatItems() const;
    // Watches for the Accessibility permission while a reading found it missing: a scan follows
    // within a second of the grant.
    void watchForGrant();
    // The permission was just granted: measures the bar and places the engine's items in reach
    // when they wait for it, are out of reach or stand as they were put while it was missing, as
    // at a first launch with the permission.
    void takeGrant();
    // Waits, within a bound, until the placement the grant started has created the engine's
    // items anew and the bar has laid them out: true when one was under way, as the bar then
    // needs reading again.
    QCoro::Task<bool> untilGrantPlacementLaidOut();
    // Whether recovery must wait for the permission: the last reading found it missing.
    [[nodiscard]] bool waitingForGrant() const;
    // Whether a run must wait for the grant's placement: the permission is missing, or it came
    // and the separators are not yet placed between the lanes.
    [[nodiscard]] bool grantPlacementDue() const;
    // Whether the grant's placement has yet to create the engine's items anew: seating the icon
    // is left to it until then.
    [[nodiscard]] bool grantPlacementAhead() const;
    // Keeps the request until the grant's placement has ended and no run is in flight, then
    // admits it. Replaced by a later request, it returns once that one's run has ended; with
    // reordering switched off, at once.
    QCoro::Task<> admitAfterTheGrant(QString trigger);
    // Reads the bar and seats the engine's own items again when they stand out of order and can
    // be: true when the icon is then safely rightmost.
    QCoro::Task<bool> seatMisplacedIcon();
    // Tucked with the icon in sight, yet the hidden separator no longer reaches past the screen's
    // left edge (a shown item shrank), and it was not tucked again for this frame before.
    [[nodiscard]] bool peekingWhileTucked();
    // False after `seconds`, when cancelled, or when the engine or its clock goes away.
    // True once the separators the reveal collapses (the always-hidden one only when
    // `includingAlwaysHidden`) are laid out at their collapsed length, on screen or not: a bar
    // too crowded to show everything revealed still settles.
    QCoro::Task<bool> waitForRevealToSettle(double seconds, bool includingAlwaysHidden,
                                            CancellationToken cancellation = {});
    void armAutoRehide(double delaySeconds);
    void showEverythingAndMarkRevealed();

    // Hiding health.
    void publishHidingBlockedIfChanged();
    void startTuckRecovery();
    // Starts a self-heal run, at most two for each state of the bar: `afterChange` says what
    // blocked the last ones has changed.
    void selfHeal(bool afterChange);
    // Tries self-healing again shortly after a display or an application has gone or changed,
    // while hiding is still refused.
    void selfHealAfterChange();
    static QCoro::Task<> runTuckRecovery(QPointer<ClassicEngine> self, int generation,
                                         CancellationToken token);
    void appendRecoveryRecord(int attempt, std::optional<bool> iconSafelyRightmost,
                              std::optional<QString> reason);

    // Observers and display changes.
    void installObservers();
    // Items may come or go with an application: `barChanged` unless it quit with none on the bar.
    void applicationsChurned(bool barChanged);
    [[nodiscard]] bool hadItemsOnBar(qint32 processId) const;
    // Reads where the menus of the application that came to the front end, so that the watchdog
    // misses no icon they cover; the next scan would read them only up to 30 s later.
    void readFrontMenus(qint32 processId);
    void scheduleRefresh();
    void displayParametersChanged();
    QCoro::Task<> reapplyRevealState(QString reason, bool forceReflow);
    QCoro::Task<> waitForReadableFrames(Duration step);

    // Poll and watchdog.
    static QCoro::Task<> runPoll(QPointer<ClassicEngine> self, CancellationToken token);
    static QCoro::Task<> runWatchdog(QPointer<ClassicEngine> self, CancellationToken token);
    // Whether the icon is on screen, clear of the camera housing and of the front application's
    // menus as last read, and, without the permission, in the rightmost slot; true while it is
    // hidden.
    [[nodiscard]] bool iconInSight() const;
    // The watchdog's reveal for an icon it missed, after `revealsBefore` that left it off screen.
    QCoro::Task<> revealForTheIcon(int revealsBefore);

    // Scan pass.
    using ScanContext = zorv::ScanContext;
    using DiscoveryResult = zorv::DiscoveryResult;
    [[nodiscard]] ScanContext scanContext() const;
    [[nodiscard]] QList<MenuBarItem> buildItems(const QList<DiscoveredItem> &found,
                                                const ScanContext &context,
                                                QHash<MenuBarItemID, QRectF> &frames) const;
    // Discovery sees nothing without the Accessibility permission, and nothing of an application
    // that does not answer; neither says anything about the bar, so the last scan's items of
    // those processes stand in for what could not be read.
    [[nodiscard]] QList<MenuBarItem> lastItemsOf(const QSet<qint32> &processes,
                                                 QHash<MenuBarItemID, QRectF> &frames) const;
    [[nodiscard]] QSet<qint32> runningProcesses() const;
    void purgeCompetingManagerItems();
    void forgetUninstalled(const QList<MenuBarItem> &items, bool trusted);
    void appendDormantItems(QList<MenuBarItem> &items) const;
    [[nodiscard]] bool scanIsStable() const;
    // Hands the last items read to the model, each telling whether a drag can take it into its
    // lane for now.
    void publishItems();
    void runUpkeep(QList<MenuBarItem> &items, const ScanContext &context);
    void followUpVerdict(const DriftVerdict &verdict, bool stable);
    [[nodiscard]] double barMinX() const;

    // Reach: what a drag can get at (classicenginereach.cpp).
    // Reads the bar screen and whether its bar shows; `kept` are a silent application's last
    // items.
    void updateReach(const ScanContext &context, std::optional<double> menusRight,
                     std::optional<double> deskMenusRight, const QList<MenuBarItem> &kept);
    // Why each item on the bar that a drag could not get at with everything revealed cannot be.
    [[nodiscard]] QHash<MenuBarItemID, QString> unreachable() const;
    // The same on a bar as a full reveal lays it out (revealedGeometry()).
    [[nodiscard]] QHash<MenuBarItemID, QString> unreachableIn(const BarGeometry &revealed) const;
    // The bar as revealing everything would lay it out; none without a geometry.
    [[nodiscard]] std::optional<BarGeometry> revealedGeometry() const;
    // {"name", "why"} for each item the layout places that a drag cannot get at now.
    [[nodiscard]] QJsonArray unreachableItems() const;
    // Whether some always-hidden item a full reveal would bring within reach sits out of its
    // lane or order, or such an item sits in that lane and belongs elsewhere: only then does a
    // run reveal the always-hidden section.
    [[nodiscard]] bool alwaysHiddenNeedsArranging() const;
    // Items out of their wanted lane that no drag on this bar can take there, with why: their
    // lane lies out of reach, or they stand behind the camera housing, under the front
    // application's menus or past the screen's edge with the bar revealed. A run that leaves
    // them is not settled; they keep their lane and wait for what a drag can reach to change.
    [[nodiscard]] QHash<MenuBarItemID, UnplacedReason> laneBeyondReach() const;
    // The same on a bar as a full reveal lays it out.
    [[nodiscard]] QHash<MenuBarItemID, UnplacedReason>
    laneBeyondReachIn(const BarGeometry &revealed) const;
    // Tells each of `items` whether, and why, no drag can take it into its lane for now; a reason
    // told before is held while the bar only shifts by a few points.
    void markLanesBeyondReach(QList<MenuBarItem> &items);
    // Whether a run would find a drag to make once the bar is revealed.
    [[nodiscard]] bool runHasWork() const;

    // Layout intake and upkeep.
    // Gives up on the item's lane: the layout takes it where it stands among `barLane`, the lane's
    // items on the bar left to right, unmovable.
    void retire(const MenuBarItemID &id, Section into, const QList<MenuBarItemID> &barLane);
    // Takes the item the user dragged since the last reading of the bar into the lane and place
    // it was dropped at; `scannedAt` is when this scan began.
    void takeUserDrag(const ScanContext &context, MonotonicTime scannedAt, bool trusted);
    // Starts the run that brings about a handed-over layout once a scan may start one.
    void bringAboutAppliedLayout(bool stable);
    void reportLayout();

    // Reconcile pass. A trigger that waited in the queue is admitted with the reordering switch
    // as it stands when its turn comes: switched off, it is dropped.
    QCoro::Task<> admitReconcile(QString trigger, bool reorderEnabled);
    using RunTally = zorv::RunTally;
    QCoro::Task<> runReconcilePass(QString trigger);
    // Reveals what the run's drags need and waits for the bar to lay it out: false when it did
    // not, the run then aborted and tucked again.
    QCoro::Task<bool> revealForTheRun(QString trigger, BorrowedCursor::Owner owner);
    // Drags one item at a time, judging each drag from the next reading, until no drag is left
    // to plan or the run is stopped. `quietAt`: when the user was last found idle.
    QCoro::Task<> dragIntoPlace(BorrowedCursor::Owner owner, MonotonicTime quietAt,
                                RunTally &tally);
    // Records what the run did, carries it into the next runs, tucks and takes the next request.
    QCoro::Task<> closeRun(QString trigger, BorrowedCursor::Owner owner, RunTally &tally);
    // While activations are outstanding: gives the cursor back and waits, within a bound, until
    // they have ended; true when there were any, as the bar then needs reading again.
    QCoro::Task<bool> giveWayToActivations(BorrowedCursor::Owner owner);
    // The log record of a drag posted.
    [[nodiscard]] static QJsonObject stepRecord(const DragPlan &plan,
                                                const MoveCoordinator::Gesture &gesture);
    // Tries a run aborted on an unsettled reveal again after `delay` seconds, with the reveal's
    // wait now following the bar's measured pace.
    void retryAbortedRun(const QString &trigger, double delay);
    // Whether the item dragged from `fromX` moved, judged once the bar has laid out again: scans
    // until it has moved, for at most the settle time; the cursor goes back to the user while
    // the bar takes its time.
    QCoro::Task<bool> awaitDragOutcome(BorrowedCursor::Owner owner, MenuBarItemID id, double fromX);
    // Gives the cursor back and waits until the user has left mouse and keyboard alone; then
    // `quietAt`, when the user was last found idle, is now.
    QCoro::Task<> handBackToTheUser(BorrowedCursor::Owner owner, MonotonicTime &quietAt);
    // `quietAt`: when the user was last found idle; moved on when the batch waits for them.
    QCoro::Task<> runBatch(BorrowedCursor::Owner owner, QJsonArray &moves, MonotonicTime &quietAt);
    [[nodiscard]] std::optional<BarGeometry> currentBarGeometry() const;
    [[nodiscard]] MoveCoordinator::Gesture gestureFor(const DragPlan &plan) const;
    void revealForDragging(bool includingAlwaysHidden = true);
    [[nodiscard]] QJsonObject reconcileRecord(const QString &trigger, int passes, bool settled,
                                              const QJsonObject &timing, const QJsonArray &moves,
                                              const std::optional<QString> &abortReason) const;
    // The drag test hook, awaited at the end of every scan: the scan's caller waits until the
    // request has been carried out.
    QCoro::Task<> runDragExperimentIfRequested();
    static QCoro::Task<> runSingleDragTest(QPointer<ClassicEngine> self, DragTestRequest request);
    static QCoro::Task<> runTestCommand(QPointer<ClassicEngine> self, DragTestRequest request);
    static QCoro::Task<> runBenchSort(QPointer<ClassicEngine> self, bool batch);
    // Counts a drift run that neither settled the drift by its drags nor brought the bar closer;
    // true once the drift is given up.
    bool countFruitlessDrift(const QString &trigger, bool fruitful);
    // The attempts ledger a run starts with: the ways earlier runs dragged items, and every lane
    // move of items awaiting retirement under what a drag can get at now spent.
    [[nodiscard]] DragPlanner::AttemptsLedger runLedger() const;
    // Whether the bar now shows an item outside its wanted lane, as a run would drag it; never
    // without a geometry.
    [[nodiscard]] WantedLayout::OutOfLane outOfLane() const;
    // DragPlanner::dragsStillNeeded on the bar now; none without a geometry.
    [[nodiscard]] std::optional<qsizetype> dragsStillNeeded() const;

    // Open menus (classicenginemenus.cpp). While one is open: gives the cursor back and waits,
    // within a bound, for it to close, then for the user's hands to rest; true when one was open.
    // One still open at the bound stops the run's drags (`tally.abortReason`).
    QCoro::Task<bool> giveWayToOpenMenus(BorrowedCursor::Owner owner, MonotonicTime &quietAt,
                                         RunTally &tally);
    // Before a run's reveal: waits out the menus open (and the items asked for meanwhile); false
    // when the run is to end without showing anything (a menu stayed open, reordering was
    // switched off).
    QCoro::Task<bool> untilNoMenuBeforeTheReveal(BorrowedCursor::Owner owner,
                                                 MonotonicTime &quietAt, RunTally &tally);

    // Activation.
    using OpeningTry = zorv::OpeningTry;
    // Waits for the activations asked before this one to end; false when the engine went.
    QCoro::Task<bool> untilTurn(quint64 turn);
    // Reads the bar and opens the item.
    QCoro::Task<> openItem(MenuBarItemID id, ClickKind click);
    // The item's frame as the last reading found it; throws, with the record written from
    // `record`'s keys, when the bar no longer holds it or the permission is missing.
    [[nodiscard]] QRectF frameToOpen(const MenuBarItemID &id, QJsonObject record) const;
    // Opens the item where the last reading found it, bringing an automatically hidden menu bar
    // back and revealing the item when tucked away, and reads the bar again when it turns out to
    // have moved; writes the record, and throws when it cannot.
    QCoro::Task<> openWhereItStands(MenuBarItemID id, ClickKind click);
    // Whether the item is out of sight only while the run in flight moves things: where the
    // run's drags left to it will put it, it stands in sight.
    [[nodiscard]] bool outOfSightOnlyForTheRun(const MenuBarItemID &id) const;
    // Lets the run make its drags, one pause at a time and within a bound, until the item stands
    // in sight or the run can no longer bring it there: its frame then. Throws as frameToOpen.
    QCoro::Task<QRectF> untilTheRunBringsItIntoSight(MenuBarItemID id, QRectF frame,
                                                     QJsonObject record);
    // After an activation: the lanes in view stay there for the auto-hide's delay from now, when
    // an auto-hide or a tuck held for the activations would take them away.
    void keepInViewAfterTheClick();
    // Reveals the item's lanes and waits for it to come on screen: its frame then, else where it
    // stands out of sight.
    QCoro::Task<QRectF> revealToOpen(MenuBarItemID id, QRectF frame);
    // Clicks the item standing at `frame`; a hung application in front, whose menus may cover
    // it, has it pressed instead.
    QCoro::Task<OpeningTry> clickAt(MenuBarItemID id, ClickKind click, QRectF frame);
    // Opens an item that no click can land on (`why` says where it stands) through its
    // accessibility element.
    QCoro::Task<OpeningTry> pressInPlace(MenuBarItemID id, ClickKind click, QRectF frame,
                                         QString why);
    // Writes "last-activate.json": `record` with the item's "kind" and "item".
    void recordActivation(const MenuBarItemID &id, QJsonObject record) const;
    // The process of the item as the last scan read it.
    [[nodiscard]] std::optional<qint32> processOf(const MenuBarItemID &id) const;
    // Whether the menu of the item standing at `frame` is open (a click would close it).
    QCoro::Task<bool> itsMenuIsOpen(MenuBarItemID id, QRectF frame);
    QCoro::Task<bool> nudgeUntilMenuBarComesBack(double x);
    [[nodiscard]] bool menuBarTakesNoRoom() const;
    // The lane the layout keeps the item in; for an item it does not place yet (before its first
    // adoption), the lane the last scan found it standing in.
    [[nodiscard]] std::optional<Section> laneOf(const MenuBarItemID &id) const;

    // Fire-and-forget main-thread tasks whose handles nobody keeps.
    static QCoro::Task<> reconcileDetached(QPointer<ClassicEngine> self, QString trigger);
    static QCoro::Task<> retuckDetached(QPointer<ClassicEngine> self, bool forceReflow);

    // Icon reseat check after the icon is shown again.
    static QCoro::Task<> checkIconSeat(QPointer<ClassicEngine> self);

    // Snapshot and logs.
    void writeDiagnostics(const QString &file, const QString &kind);
    // `items`: the published items' list (SnapshotItems).
    [[nodiscard]] QJsonObject snapshot(const QString &kind, const QJsonArray &items) const;
    void appendEvent(const QJsonObject &record) const;
    void appendReconcileLog(const QJsonObject &record) const;

    // Time helpers on the injected clock's wall time.
    [[nodiscard]] QDateTime now() const { return m_platform.clock.wallNow(); }
    [[nodiscard]] double secondsSince(const QDateTime &date) const;
    QCoro::Task<SleepOutcome> sleep(double seconds, CancellationToken token = {});
    // Looks every `stepSeconds` whether `holds` still holds, for at most `limitSeconds`: true when
    // it had to wait. The engine may be gone by then; callers re-check their QPointer.
    // Ends early, too, once `token` is cancelled.
    QCoro::Task<bool> waitWhile(std::function<bool()> holds, double limitSeconds,
                                double stepSeconds, CancellationToken token = {});
    // Waits, within a bound, for the drag gesture under way to end: its mouse-up moves the item it
    // carries, and the others make room.
    QCoro::Task<bool> untilDragGestureEnds();
    // Waits, within a bound or until `token` is cancelled, for the run in flight to end: it has
    // the bar revealed for its drags and tucks when it ends, so no one else lays the bar out
    // meanwhile.
    QCoro::Task<bool> untilRunEnds(CancellationToken token);

    EnginePlatform m_platform;
    Diagnostics m_diagnostics;
    SnapshotItems m_snapshotItems;
    BorrowedCursor m_cursor;

    // Interface to the application.
    EngineCapabilities m_capabilities;
    AsyncQueue<QList<MenuBarItem>> m_items;
    LayoutChangedCallback m_onLayoutChanged;
    HidingBlockedChangedCallback m_onHidingBlockedChanged;
    std::function<void()> m_onTuckRefused;
    std::function<void(StatusItemButton *)> m_onIconReplaced;

    // Settings pushed in by the application model.
    double m_autoRehideSeconds = defaultAutoRehideSeconds;
    bool m_reorderEnabled = false;
    bool m_batchExecutionEnabled = false;
    bool m_captureEnabled = false;

    // Owned parts.
    std::unique_ptr<SeparatorController> m_separatorController;
    std::shared_ptr<ItemDiscovery> m_discovery;
    std::unique_ptr<CaptureService> m_captures;

    // The engine's state, each group with its owner.
    RevealState m_reveal;
    HidingHealth m_health;
    BarReading m_bar;
    WaitingReasons m_waitingReasons;
    WantedLayout m_wanted;
    ItemRecords m_records;
    DriftMemory m_drift;
    RunQueue m_runs;
    LayoutPace m_pace;
    OpenMenus m_openMenus{m_platform.windowList, m_platform.workspace, m_platform.screens};
    HeldTuck m_heldTuck{m_openMenus, m_platform.clock, [this](QString reason) {
                            return setHiddenRevealed(false, false, std::move(reason), false);
                        }};

    // Tasks and observers.
    LatestTask m_tuckRecovery;
    LatestTask m_retuckAfterDisplayChange;
    LatestTask m_selfHealAfterChange;
    LatestTask m_pollTask;
    LatestTask m_watchdogTask;
    LatestTask m_refreshDebounce;
    LatestTask m_frontMenusRead;
    LatestTask m_rehideTask;
    LatestTask m_launchTuckTask;
    LatestTask m_permissionWatch;
    LatestTask m_retryAfterAbort;
    LatestTask m_grantTask;
    LatestTask m_iconSeatSettle;
    // A scan found the permission granted and has not yet started the grant's placement.
    bool m_grantNoticed = false;
    // The placement of the grant under way has created the items anew, or found nothing to place.
    bool m_grantPlacementMade = false;
    ActivationTurns m_activations;
    QList<QMetaObject::Connection> m_observers;
};

} // namespace zorv
