// Opening another application's status item for the user: bring an automatically hidden menu
// bar back, let a run in flight first bring the item into sight when only its drags keep it out,
// reveal the item when it is tucked away, then click its centre where a click lands on it, or
// else have its owner open it through its accessibility element. The bar is read again whenever
// the item turns out to have moved since the last reading. What the activation brought into view
// stays there for the auto-hide's delay after the click.

#include "classicengine.h"

#include "activation/itemclick.h"
#include "activation/itempress.h"
#include "nudge/clickforwarder.h"
#include "reconcile/restingplace.h"

#include <algorithm>
#include <array>
#include <exception>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often the item is found moved before the activation gives up: each time the bar is read
// again.
constexpr int kLooks = 3;
// How often an activation looks whether its turn has come.
constexpr double kTurnStep = 0.05;
// The longest an activation lets a run drag to bring its item into sight.
constexpr double kRunBringsIntoSightSeconds = 10.0;

} // namespace

QCoro::Task<> ClassicEngine::activate(MenuBarItemID id, ClickKind click) {
    assertMainThread();
    if (!m_bar.lastFrames().contains(id)) {
        throw EngineFailure(EngineError::itemNotFound);
    }
    QPointer<ClassicEngine> self(this);
    const quint64 turn = m_activations.ask();
    std::exception_ptr failure;
    try {
        if (co_await untilTurn(turn)) {
            co_await openItem(std::move(id), click);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // The turn ends however the activation did, or every later one would wait for ever.
    if (self) {
        m_activations.end(turn);
        keepInViewAfterTheClick();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

QCoro::Task<bool> ClassicEngine::untilTurn(quint64 turn) {
    QPointer<ClassicEngine> self(this);
    while (self && !m_activations.isTurn(turn)) {
        co_await sleep(kTurnStep);
    }
    co_return bool(self);
}

QCoro::Task<> ClassicEngine::openItem(MenuBarItemID id, ClickKind click) {
    QPointer<ClassicEngine> self(this);
    // A drag's mouse-up moves the item it carries, and the rest make room: the read waits for it.
    co_await untilDragGestureEnds();
    if (!self) {
        co_return;
    }
    co_await refresh();
    if (!self) {
        co_return;
    }
    // Placing the engine's own items after the grant lays the bar out again: an item read before
    // then would be clicked where another one then stands.
    if (co_await untilGrantPlacementLaidOut()) {
        if (!self) {
            co_return;
        }
        co_await refresh();
        if (!self) {
            co_return;
        }
    }
    co_await openWhereItStands(std::move(id), click);
}

void ClassicEngine::keepInViewAfterTheClick() {
    const bool tuckHeld = m_activations.takeDeferredTuck();
    if (!tuckHeld && !m_rehideTask.isPending()) {
        return;
    }
    // With the auto-hide switched off a held tuck still comes, or a run's closing tuck held for
    // the click would leave the bar revealed for ever.
    armAutoRehide(m_autoRehideSeconds > 0 ? m_autoRehideSeconds : defaultAutoRehideSeconds);
}

QRectF ClassicEngine::frameToOpen(const MenuBarItemID &id, QJsonObject record) const {
    const auto found = m_bar.lastFrames().constFind(id);
    if (found == m_bar.lastFrames().constEnd()) {
        record.insert(u"outcome"_s, ItemPress::describe(ItemPress::Outcome::gone));
        recordActivation(id, record);
        throw EngineFailure(EngineError::itemNotFound);
    }
    // Without the permission the window server drops posted clicks and no element answers.
    if (!m_bar.trusted().value_or(false)) {
        record.insert(u"outcome"_s, ItemPress::describe(ItemPress::Outcome::notPermitted));
        recordActivation(id, record);
        throw EngineFailure(EngineError::notPermitted);
    }
    return *found;
}

QCoro::Task<> ClassicEngine::openWhereItStands(MenuBarItemID id, ClickKind click) {
    QPointer<ClassicEngine> self(this);
    bool wasTucked = false;
    for (int look = 1;; ++look) {
        if (look > 1) {
            co_await untilDragGestureEnds();
            if (!self) {
                co_return;
            }
            co_await refresh();
            if (!self) {
                co_return;
            }
        }
        QJsonObject record{{u"wasTucked"_s, wasTucked}};
        QRectF frame = frameToOpen(id, record);
        bool menuBarCameBack = true;
        if (menuBarTakesNoRoom()) {
            menuBarCameBack = co_await nudgeUntilMenuBarComesBack(frame.center().x());
            if (!self) {
                co_return;
            }
            // While the system hides the bar its items' frames lie above the screen's top edge,
            // so the frame read before the nudge would click nothing; read it again now the bar
            // shows.
            if (menuBarCameBack) {
                co_await refresh();
                if (!self) {
                    co_return;
                }
                frame = m_bar.lastFrames().value(id, frame);
            }
        }
        record.insert(u"menuBarCameBack"_s, menuBarCameBack);
        if (outOfSightOnlyForTheRun(id)) {
            frame = co_await untilTheRunBringsItIntoSight(id, frame, record);
            if (!self) {
                co_return;
            }
        }
        // Off screen means left of the bar's own screen, which need not start at x = 0. An item
        // tucked away since it was read is revealed again: the bar still holds it.
        if (frame.center().x() < barMinX()) {
            wasTucked = true;
            record.insert(u"wasTucked"_s, true);
            frame = co_await revealToOpen(id, frame);
            if (!self) {
                co_return;
            }
        }
        // A click lands only on an item drawn where the pointer can reach it; anywhere else the
        // owner is asked to open it. An item whose menu is open already is left as it is: a
        // click on it would close the menu.
        const bool menuOpen = co_await itsMenuIsOpen(id, frame);
        if (!self) {
            co_return;
        }
        OpeningTry tried;
        if (menuOpen) {
            tried.verdict = OpeningTry::Verdict::opened;
            tried.outcome = ItemClick::describe(ItemClick::Outcome::menuOpen);
        } else if (const std::optional<QString> unreachable = m_bar.reach().whyNot(id, frame)) {
            tried = co_await pressInPlace(id, click, frame, *unreachable);
        } else {
            tried = co_await clickAt(id, click, frame);
        }
        if (!self) {
            co_return;
        }
        if (tried.verdict == OpeningTry::Verdict::moved && look < kLooks) {
            continue;
        }
        for (auto key = tried.keys.constBegin(); key != tried.keys.constEnd(); ++key) {
            record.insert(key.key(), key.value());
        }
        record.insert(u"outcome"_s, tried.outcome);
        recordActivation(id, record);
        if (tried.verdict != OpeningTry::Verdict::opened) {
            throw EngineFailure(tried.error);
        }
        co_return;
    }
}

bool ClassicEngine::outOfSightOnlyForTheRun(const MenuBarItemID &id) const {
    if (!m_runs.reconcileInFlight()) {
        return false;
    }
    // Judged as the bar reads revealed: an item that is only tucked away is revealed, not waited
    // for, and the run reveals before it drags.
    const std::optional<BarGeometry> revealed = revealedGeometry();
    const QRectF *now = revealed ? revealed->frameOf(id) : nullptr;
    const Reachability &reach = m_bar.reach();
    if (!now || !reach.whyNot(id, *now)) {
        return false;
    }
    const std::optional<QRectF> resting = RestingPlace::of(id, *revealed, m_wanted.storedLayout(),
                                                           m_records.stubbornSet(), runLedger());
    return resting && !reach.whyNot(id, *resting);
}

QCoro::Task<QRectF> ClassicEngine::untilTheRunBringsItIntoSight(MenuBarItemID id, QRectF frame,
                                                                QJsonObject record) {
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    const MonotonicTime deadline = deadlineAfter(clock.now(), seconds(kRunBringsIntoSightSeconds));
    while (outOfSightOnlyForTheRun(id) && clock.now() < deadline) {
        // The run makes its next drag and gives way again at the pause after it, where the bar
        // has laid out again.
        m_activations.letRunDrag();
        std::function<bool()> dragging = [this] {
            return m_runs.reconcileInFlight() &&
                   (m_activations.runMayDrag() || !m_activations.runGivingWay());
        };
        co_await waitWhile(std::move(dragging), toSeconds(deadline - clock.now()), kTurnStep);
        if (!self) {
            co_return frame;
        }
        m_activations.runDragged();
        co_await untilDragGestureEnds();
        if (!self) {
            co_return frame;
        }
        co_await refresh();
        if (!self) {
            co_return frame;
        }
        frame = frameToOpen(id, record);
    }
    co_return frame;
}

QCoro::Task<QRectF> ClassicEngine::revealToOpen(MenuBarItemID id, QRectF frame) {
    QPointer<ClassicEngine> self(this);
    // A run in flight keeps the always-hidden section in view when it revealed it for its drags.
    const bool runShowsAlwaysHidden =
        m_runs.reconcileInFlight() &&
        m_separatorController->alwaysHiddenSep().length() <= SeparatorController::collapsedLength;
    const bool alwaysHidden = laneOf(id) == Section::alwaysHidden || runShowsAlwaysHidden;
    co_await setHiddenRevealed(true, alwaysHidden, u"activate"_s, false);
    static constexpr std::array<double, 2> pauses{0.35, 0.4};
    for (double pause : pauses) {
        co_await sleep(pause);
        if (!self) {
            co_return frame;
        }
        co_await refresh();
        if (!self) {
            co_return frame;
        }
        if (const std::optional<QRectF> revealed = m_bar.onScreenFrame(id, barMinX())) {
            co_return *revealed;
        }
    }
    // Still out of sight, it can be opened where it stands all the same.
    co_return m_bar.lastFrames().value(id, frame);
}

void ClassicEngine::recordActivation(const MenuBarItemID &id, QJsonObject record) const {
    record.insert(u"kind"_s, u"activate"_s);
    record.insert(u"item"_s, id.bundleID);
    m_diagnostics.write(u"last-activate.json"_s, record);
}

std::optional<qint32> ClassicEngine::processOf(const MenuBarItemID &id) const {
    const QList<MenuBarItem> &items = m_bar.lastItems();
    const auto found = std::find_if(items.cbegin(), items.cend(),
                                    [&id](const MenuBarItem &item) { return item.id == id; });
    return found != items.cend() ? std::optional(found->pid) : std::nullopt;
}

QCoro::Task<bool> ClassicEngine::itsMenuIsOpen(MenuBarItemID id, QRectF frame) {
    const std::optional<qint32> owner = processOf(id);
    if (!owner || !m_openMenus.openBy(*owner)) {
        co_return false;
    }
    // Of an application's several items, the one whose menu is open reads as selected.
    Accessibility &accessibility = m_platform.accessibility;
    auto work = [&accessibility, pid = *owner, identifier = id.axIdentifier, frame] {
        return ItemPress::menuOpen(accessibility, pid, identifier, frame);
    };
    co_return co_await m_platform.work.run(std::move(work));
}

bool ClassicEngine::menuBarTakesNoRoom() const {
    const std::optional<Screen> main = m_platform.screens.mainScreen();
    if (!main) {
        return false;
    }
    // Bottom-left convention: the top edge is y + height.
    return main->frame.bottom() - 0.5 <= main->visibleFrame.bottom();
}

std::optional<Section> ClassicEngine::laneOf(const MenuBarItemID &id) const {
    if (const std::optional<Section> wanted = m_wanted.storedLayout().sectionOf(id)) {
        return wanted;
    }
    const QList<MenuBarItem> &items = m_bar.lastItems();
    const auto found = std::find_if(items.cbegin(), items.cend(),
                                    [&id](const MenuBarItem &item) { return item.id == id; });
    return found != items.cend() ? std::optional(found->section) : std::nullopt;
}

QCoro::Task<bool> ClassicEngine::nudgeUntilMenuBarComesBack(double x) {
    QPointer<ClassicEngine> self(this);
    InputEvents &input = m_platform.inputEvents;
    Clock &clock = m_platform.clock;
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto nudge = [&input, &clock, x] { ClickForwarder::nudgeMenuBarReveal(input, clock, x); };
        co_await m_platform.work.run(std::move(nudge));
        if (!self) {
            co_return false;
        }
        co_await sleep(0.5);
        if (!self) {
            co_return false;
        }
        StatusItemButton *button = m_separatorController->icon().button();
        const std::optional<StatusItemWindow> window = button ? button->window() : std::nullopt;
        if (window && window->occlusionVisible) {
            co_return true;
        }
    }
    co_return false;
}

} // namespace zorv
