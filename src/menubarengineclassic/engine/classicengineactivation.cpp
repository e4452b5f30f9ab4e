// Opening another application's status item for the user: bring an automatically hidden menu
// bar back, reveal the item when it is tucked away, then click its centre where a click lands
// on it (reading the bar again when the item moved meanwhile), or else have its owner open it
// through its accessibility element.

#include "classicengine.h"

#include "activation/itemclick.h"
#include "activation/itempress.h"
#include "nudge/clickforwarder.h"

#include <QScopeGuard>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often a click finds its item moved before it gives up: each time the bar is read again.
constexpr int kClickLooks = 3;
// The longest wait for a run in flight before an item is clicked, and how often it is looked at.
constexpr double kRunWaitSeconds = 20.0;
constexpr double kRunWaitStep = 0.25;
// How often an activation looks whether its turn has come.
constexpr double kTurnStep = 0.05;

} // namespace

QCoro::Task<> ClassicEngine::activate(MenuBarItemID id, ClickKind click) {
    assertMainThread();
    if (!m_bar.lastFrames().contains(id)) {
        throw EngineFailure(EngineError::itemNotFound);
    }
    QPointer<ClassicEngine> self(this);
    const quint64 turn = m_activationsAsked++;
    const auto done = qScopeGuard([self] {
        if (self) {
            ++self->m_activationsDone;
        }
    });
    if (!co_await untilTurn(turn)) {
        co_return;
    }
    co_await refresh();
    if (!self) {
        co_return;
    }
    // Placing the engine's own items after the grant lays the bar out again: an item read before
    // it ends would be clicked where another one then stands.
    if (co_await untilGrantPlacementEnds()) {
        if (!self) {
            co_return;
        }
        co_await refresh();
        if (!self) {
            co_return;
        }
    }
    const auto found = m_bar.lastFrames().constFind(id);
    if (found == m_bar.lastFrames().constEnd()) {
        recordActivation(id, {{u"outcome"_s, ItemPress::describe(ItemPress::Outcome::gone)},
                              {u"wasTucked"_s, false}});
        throw EngineFailure(EngineError::itemNotFound);
    }
    QRectF frame = *found;
    // Without the permission the window server drops posted clicks and no element answers.
    if (!m_bar.trusted().value_or(false)) {
        recordActivation(id, {{u"outcome"_s, ItemPress::describe(ItemPress::Outcome::notPermitted)},
                              {u"wasTucked"_s, false}});
        throw EngineFailure(EngineError::notPermitted);
    }

    bool menuBarCameBack = true;
    if (menuBarTakesNoRoom()) {
        menuBarCameBack = co_await nudgeUntilMenuBarComesBack(frame.center().x());
        if (!self) {
            co_return;
        }
        // While the system hides the bar its items' frames lie above the screen's top edge, so
        // the frame read before the nudge would click nothing; read it again now the bar shows.
        if (menuBarCameBack) {
            co_await refresh();
            if (!self) {
                co_return;
            }
            frame = m_bar.lastFrames().value(id, frame);
        }
    }

    // Off screen means left of the bar's own screen, which need not start at x = 0.
    bool wasTucked = false;
    if (frame.center().x() < barMinX()) {
        wasTucked = true;
        const bool alwaysHidden = laneOf(id) == Section::alwaysHidden;
        co_await setHiddenRevealed(true, alwaysHidden, u"activate"_s, false);
        std::optional<QRectF> revealed;
        static constexpr std::array<double, 2> pauses{0.35, 0.4};
        for (double pause : pauses) {
            co_await sleep(pause);
            if (!self) {
                co_return;
            }
            co_await refresh();
            if (!self) {
                co_return;
            }
            revealed = m_bar.onScreenFrame(id, barMinX());
            if (revealed) {
                break;
            }
        }
        // Still out of sight, it can be opened where it stands all the same.
        frame = revealed.value_or(m_bar.lastFrames().value(id, frame));
    }

    QJsonObject record;
    record.insert(u"wasTucked"_s, wasTucked);
    record.insert(u"menuBarCameBack"_s, menuBarCameBack);
    co_await clickOrPress(id, click, frame, std::move(record));
}

QCoro::Task<> ClassicEngine::clickOrPress(MenuBarItemID id, ClickKind click, QRectF frame,
                                          QJsonObject record) {
    QPointer<ClassicEngine> self(this);
    for (int look = 1;; ++look) {
        // A run lays the bar out again with its reveal and every drag, so an item read while one
        // is under way, or found moved by the last look, is read again.
        const bool ranMeanwhile = co_await untilRunEnds();
        if (!self) {
            co_return;
        }
        if (ranMeanwhile || look > 1) {
            co_await refresh();
            if (!self) {
                co_return;
            }
            const auto found = m_bar.lastFrames().constFind(id);
            if (found == m_bar.lastFrames().constEnd()) {
                record.insert(u"outcome"_s, ItemPress::describe(ItemPress::Outcome::gone));
                recordActivation(id, record);
                throw EngineFailure(EngineError::itemNotFound);
            }
            frame = *found;
        }
        // A click lands only on an item drawn where the pointer can reach it; anywhere else the
        // owner is asked to open it.
        if (const std::optional<QString> why = m_bar.reach().whyNot(id, frame)) {
            co_await openInPlace(id, click, frame, *why, std::move(record));
            co_return;
        }
        const QPointF point = frame.center();
        InputEvents &input = m_platform.inputEvents;
        Clock &clock = m_platform.clock;
        Accessibility &accessibility = m_platform.accessibility;
        const Workspace &workspace = m_platform.workspace;
        const ItemClick::Target target{processOf(id).value_or(0), id.axIdentifier, point,
                                       m_bar.reach().housings};
        auto work = [&input, &clock, &accessibility, &workspace, target, click] {
            return ItemClick::post(input, clock, accessibility, workspace, target, click);
        };
        const ItemClick::Outcome outcome = co_await m_platform.work.run(std::move(work));
        if (!self) {
            co_return;
        }
        if (outcome == ItemClick::Outcome::frontNotAnswering) {
            co_await openInPlace(id, click, frame, ItemClick::describe(outcome), std::move(record));
            co_return;
        }
        if (outcome != ItemClick::Outcome::moved || look == kClickLooks) {
            record.insert(u"outcome"_s, ItemClick::describe(outcome));
            record.insert(u"x"_s, point.x());
            record.insert(u"y"_s, point.y());
            recordActivation(id, record);
            if (outcome == ItemClick::Outcome::permissionWent) {
                throw EngineFailure(EngineError::notPermitted);
            }
            if (outcome != ItemClick::Outcome::clicked) {
                throw EngineFailure(EngineError::activationFailed);
            }
            co_return;
        }
    }
}

QCoro::Task<bool> ClassicEngine::untilRunEnds() {
    return waitWhile([this] { return m_runs.reconcileInFlight(); }, kRunWaitSeconds, kRunWaitStep);
}

QCoro::Task<bool> ClassicEngine::untilTurn(quint64 turn) {
    QPointer<ClassicEngine> self(this);
    while (self && m_activationsDone != turn) {
        co_await sleep(kTurnStep);
    }
    co_return bool(self);
}

QCoro::Task<> ClassicEngine::openInPlace(MenuBarItemID id, ClickKind click, QRectF frame,
                                         QString why, QJsonObject record) {
    record.insert(u"why"_s, why);
    const std::optional<QString> action = ItemPress::actionFor(click);
    if (!action) {
        record.insert(u"outcome"_s, u"option click cannot land"_s);
        recordActivation(id, record);
        throw EngineFailure(EngineError::activationFailed);
    }
    const std::optional<qint32> pid = processOf(id);
    ItemPress::Outcome outcome = ItemPress::Outcome::gone;
    if (pid) {
        QPointer<ClassicEngine> self(this);
        Accessibility &accessibility = m_platform.accessibility;
        auto work = [&accessibility, pid = *pid, identifier = id.axIdentifier, frame,
                     action = *action] {
            return ItemPress::press(accessibility, pid, identifier, frame, action);
        };
        outcome = co_await m_platform.work.run(std::move(work));
        if (!self) {
            co_return;
        }
    }
    record.insert(u"outcome"_s, ItemPress::describe(outcome));
    if (outcome == ItemPress::Outcome::pressed) {
        record.insert(u"action"_s, *action);
    }
    recordActivation(id, record);
    switch (outcome) {
    case ItemPress::Outcome::pressed:
        co_return;
    case ItemPress::Outcome::notPermitted:
        throw EngineFailure(EngineError::notPermitted);
    case ItemPress::Outcome::gone:
        throw EngineFailure(EngineError::itemNotFound);
    case ItemPress::Outcome::notAnswering:
    case ItemPress::Outcome::refused:
        break;
    }
    throw EngineFailure(EngineError::activationFailed);
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
