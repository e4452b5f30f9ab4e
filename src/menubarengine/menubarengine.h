#pragma once

#include "asyncqueue.h"
#include "clickkind.h"
#include "enginecapabilities.h"
#include "engineerror.h"
#include "hidingblockedreason.h"
#include "menubaritem.h"
#include "menubaritemid.h"
#include "sectionlayout.h"
#include "sectionplacement.h"

#include <QCoroTask>
#include <QList>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// The one interface through which the application drives whatever hides, reveals, scans, moves
// and clicks status items; the application model never needs to know which engine it holds.
//
// An engine is created once, receives its settings and callbacks, then a saved layout through
// apply(), then start(); it runs for the life of the application. Everything here is called, and
// every callback and stream element is delivered, on the main thread.
//
// Only apply(), activate() and move() fail: their tasks throw EngineFailure when awaited.
// Everything else reports problems through hidingBlocked(), the callbacks or the item stream.
// itemNotFound is the error for an id the engine does not currently know.
//
// Engines that override the three-argument setHiddenRevealed() add
// `using MenuBarEngine::setHiddenRevealed;` so that the two-argument form stays callable on them.
class MenuBarEngine {
public:
    using LayoutChangedCallback = std::function<void(const SectionLayout &layout)>;
    using HidingBlockedChangedCallback =
        std::function<void(std::optional<HidingBlockedReason> reason)>;

    virtual ~MenuBarEngine() = default;

    [[nodiscard]] virtual EngineCapabilities capabilities() const = 0;

    // Every new full item list, one element per scan or change. Single consumer: the model reads
    // it in one long-lived task.
    [[nodiscard]] virtual AsyncQueue<QList<MenuBarItem>> &itemsStream() = 0;

    // Seconds after which a reveal is tucked away again.
    [[nodiscard]] virtual double autoRehideSeconds() const = 0;
    virtual void setAutoRehideSeconds(double seconds) = 0;

    // Whether the engine moves items into the wanted order.
    [[nodiscard]] virtual bool reorderEnabled() const = 0;
    virtual void setReorderEnabled(bool enabled) = 0;

    // Called with the layout as the engine now sees it.
    [[nodiscard]] virtual const LayoutChangedCallback &onLayoutChanged() const = 0;
    virtual void setOnLayoutChanged(LayoutChangedCallback callback) = 0;

    // Whether the hidden section is currently revealed.
    [[nodiscard]] virtual bool isRevealed() const = 0;

    // The current hiding problem; nullopt while hiding works.
    [[nodiscard]] virtual std::optional<HidingBlockedReason> hidingBlocked() const = 0;
    // Called whenever hidingBlocked() changes.
    [[nodiscard]] virtual const HidingBlockedChangedCallback &onHidingBlockedChanged() const = 0;
    virtual void setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) = 0;

    // Tries hiding again after a block.
    virtual QCoro::Task<> retryHiding() = 0;

    // The application's own status item in screen points; nullopt when it has none.
    [[nodiscard]] virtual std::optional<QRectF> iconFrame() const = 0;

    // Whether the application's own status item is shown.
    [[nodiscard]] virtual bool iconVisible() const = 0;
    virtual void setIconVisible(bool visible) = 0;

    // Whether item pictures are captured.
    [[nodiscard]] virtual bool captureEnabled() const = 0;
    virtual void setCaptureEnabled(bool enabled) = 0;

    // Reveals when hidden, tucks when revealed; `includingAlwaysHidden` also reveals the
    // always-hidden section.
    virtual QCoro::Task<> toggleRevealed(bool includingAlwaysHidden) = 0;

    // Begins observing and scanning.
    virtual QCoro::Task<> start() = 0;

    // Adopts a new wanted layout.
    virtual QCoro::Task<> apply(SectionLayout layout) = 0;

    // Runs one reconcile pass; `trigger` is a short reason such as "user-move".
    virtual QCoro::Task<> reconcileMenuBar(QString trigger) = 0;

    // `reveal` true reveals, false tucks; `includingAlwaysHidden` also reveals the always-hidden
    // section; `holdOpen` keeps a reveal open instead of arming the auto-hide.
    virtual QCoro::Task<> setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                            bool holdOpen) = 0;

    // Opens the item for the user as the click would: clicks it where a click lands on it, else
    // has its owner open it in place. Fails (activationFailed, notPermitted, itemNotFound) when
    // it cannot be opened, as an Option-click out of reach cannot.
    virtual QCoro::Task<> activate(MenuBarItemID id, ClickKind click) = 0;

    // Puts the item at the placement.
    virtual QCoro::Task<> move(MenuBarItemID id, SectionPlacement placement) = 0;

    // Scans now.
    virtual QCoro::Task<> refresh() = 0;

    // The everyday reveal and tuck: setHiddenRevealed() with the auto-hide armed.
    QCoro::Task<> setHiddenRevealed(bool reveal, bool includingAlwaysHidden);

protected:
    MenuBarEngine() = default;
    MenuBarEngine(const MenuBarEngine &) = delete;
    MenuBarEngine &operator=(const MenuBarEngine &) = delete;

    // Engines are bound to the main thread; each operation checks it runs there (and aborts
    // otherwise).
    static void assertMainThread();
};

} // namespace zorv
