// One try at opening an item where the last reading of the bar found it: a click at its centre,
// or a press through its accessibility element where no click lands. A try that finds the item
// moved tells the activation to read the bar again.

#include "classicengine.h"

#include "activation/itemclick.h"
#include "activation/itempress.h"

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<ClassicEngine::OpeningTry> ClassicEngine::clickAt(MenuBarItemID id, ClickKind click,
                                                              QRectF frame) {
    QPointer<ClassicEngine> self(this);
    const QPointF point = frame.center();
    InputEvents &input = m_platform.inputEvents;
    Clock &clock = m_platform.clock;
    Accessibility &accessibility = m_platform.accessibility;
    const Workspace &workspace = m_platform.workspace;
    const Screens &screens = m_platform.screens;
    const ItemClick::Target target{processOf(id).value_or(0), id.axIdentifier, point, frame,
                                   m_bar.reach().housings};
    auto work = [&input, &clock, own = m_cursor.ownEvents(), &accessibility, &workspace, &screens,
                 target, click] {
        return ItemClick::post(input, clock, *own, accessibility, workspace, screens, target,
                               click);
    };
    const ItemClick::Outcome outcome = co_await m_platform.work.run(std::move(work));
    if (!self) {
        co_return OpeningTry{};
    }
    if (outcome == ItemClick::Outcome::frontNotAnswering) {
        co_return co_await pressInPlace(std::move(id), click, frame, ItemClick::describe(outcome));
    }
    OpeningTry tried;
    tried.outcome = ItemClick::describe(outcome);
    tried.keys = {{u"x"_s, point.x()}, {u"y"_s, point.y()}};
    switch (outcome) {
    case ItemClick::Outcome::clicked:
    case ItemClick::Outcome::menuOpen:
        tried.verdict = OpeningTry::Verdict::opened;
        break;
    case ItemClick::Outcome::moved:
        tried.verdict = OpeningTry::Verdict::moved;
        break;
    case ItemClick::Outcome::notPermitted:
    case ItemClick::Outcome::permissionWent:
        tried.error = EngineError::notPermitted;
        break;
    case ItemClick::Outcome::gone:
        tried.error = EngineError::itemNotFound;
        break;
    default:
        break;
    }
    co_return tried;
}

QCoro::Task<ClassicEngine::OpeningTry>
ClassicEngine::pressInPlace(MenuBarItemID id, ClickKind click, QRectF frame, QString why) {
    OpeningTry tried;
    tried.keys = {{u"why"_s, why}};
    const std::optional<QString> action = ItemPress::actionFor(click);
    if (!action) {
        tried.outcome = u"option click cannot land"_s;
        co_return tried;
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
            co_return tried;
        }
    }
    tried.outcome = ItemPress::describe(outcome);
    switch (outcome) {
    case ItemPress::Outcome::pressed:
        tried.verdict = OpeningTry::Verdict::opened;
        tried.keys.insert(u"action"_s, *action);
        break;
    case ItemPress::Outcome::moved:
        tried.verdict = OpeningTry::Verdict::moved;
        break;
    case ItemPress::Outcome::notPermitted:
        tried.error = EngineError::notPermitted;
        break;
    case ItemPress::Outcome::gone:
        tried.error = EngineError::itemNotFound;
        break;
    case ItemPress::Outcome::notAnswering:
    case ItemPress::Outcome::refused:
        break;
    }
    co_return tried;
}

} // namespace zorv
