#pragma once

#include "desktoptest.h"
#include "engine/classicengine.h"
#include "separators/launchplacement.h"
#include "workerclockdriver.h"
#include "workspace/simworkspace.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace zorv::testing {

// A ClassicEngine over a simulated Mac on the manual clock. Its worker jobs run on a pool of the
// fixture's own, which run() waits for before virtual time moves on, so every wait costs no wall
// time and the order of events is the same on every run.
class EngineTest : public DesktopTest {
public:
    static inline const QString tools = QStringLiteral("com.example.tools");

    // An item of the tools application, named by its identifier.
    [[nodiscard]] static MenuBarItemID idOf(const QString &identifier);
    [[nodiscard]] static SectionLayout layoutOf(QList<MenuBarItemID> shown,
                                                QList<MenuBarItemID> hidden,
                                                QList<MenuBarItemID> alwaysHidden);

protected:
    EngineTest();
    ~EngineTest() override;
    // Every accessibility read went through a worker: none on the main thread.
    void TearDown() override;

    // The engine over the desktop, with the layout; its status items appear at once.
    ClassicEngine &makeEngine(const SectionLayout &layout = {});
    // Items "always", "hidden" and "shown" of the tools application, one per section of the
    // layout, on the bar [always] [always separator] [hidden] [hidden separator] [shown] [icon].
    void furnishSections(double shownLength = 30.0);
    // Puts those items back in that order, with these between the hidden separator and "shown".
    void arrangeSections(const QList<quint64> &leftOfShown = {});
    void startEngine();
    // The clock and Control Center, fixed at the right end under their system identifiers.
    void addFixedClockAndControlCenter(double clockLength, double controlCenterLength);
    // An application in front whose menus reach this far.
    void bringToFrontWithMenus(double menusWidth);
    // Moves virtual time forward, letting every sleeper and worker job due on the way finish.
    void run(double seconds);
    // Moves virtual time on in small steps until `done` holds (at most a minute).
    void runUntil(const std::function<bool()> &done);
    // Runs until the task ends (at most `limit` virtual seconds); rethrows what it threw.
    void drive(QCoro::Task<> task, double limit = 30.0);

    [[nodiscard]] quint64 zorvItem(const QString &autosaveName);
    // Puts the movable items in this order, left to right, from the next layout pass.
    void arrange(const QList<quint64> &leftToRight);
    // Places Zorv's items around `bar`: [always separator] its first `always` items [hidden
    // separator] the next `hidden`, then the rest and the icon. Starts the engine with reordering
    // on and the user's pointer resting at kUserSpot.
    void arrangeAndStart(QList<quint64> bar, qsizetype always, qsizetype hidden);
    [[nodiscard]] bool onScreen(quint64 itemId);
    [[nodiscard]] std::optional<MenuBarItem> engineItem(const MenuBarItemID &id) const;

    [[nodiscard]] QJsonObject readFile(const QString &name) const;
    // The records of the log with this "kind", or all of them when no kind is given.
    [[nodiscard]] QList<QJsonObject> records(const QString &log, const QString &kind = {}) const;
    // The "reason" of each "reveal" or "tuck" record in "events.jsonl".
    [[nodiscard]] QStringList reasons(const QString &kind) const;
    // The triggers of the runs that came to their end, in order.
    [[nodiscard]] QStringList runTriggers() const;

    static inline const QPointF kUserSpot{700.0, 400.0};

    // Whether makeEngine() finds positions kept for the engine's own items.
    bool rememberZorvPositions = true;
    QTemporaryDir folder;
    SimWorkspace workspace;
    QThreadPool pool;
    WorkerClockDriver driver{clock};
    std::unique_ptr<ClassicEngine> engine;
    qint32 toolsProcess = 0;
    quint64 always = 0;
    quint64 hidden = 0;
    quint64 shown = 0;
};

} // namespace zorv::testing
