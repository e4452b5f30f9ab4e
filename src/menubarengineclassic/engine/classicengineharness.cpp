// The drag test hook: a request file dropped in the diagnostics folder asks the engine, at its
// next scan, for one measured drag or for a command (a sort on demand, a scramble-and-restore
// benchmark, separator and icon toggles). Results go to the reconcile log.

#include "classicengine.h"

#include "harness/dragtestrequest.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<> ClassicEngine::runDragExperimentIfRequested() {
    const QString path = QDir(m_platform.diagnosticsFolder).filePath(DragTestRequest::fileName);
    // A request waits for the grant's placement as a run does, for a later scan: this one, which
    // may be the one that starts the placement, waits for what it takes.
    if (m_runs.reconcileInFlight() || !m_reorderEnabled || grantPlacementDue() ||
        !QFileInfo::exists(path)) {
        co_return;
    }
    std::optional<DragTestRequest> request = DragTestRequest::take(path);
    if (!request) {
        co_return;
    }
    switch (request->form) {
    case DragTestRequest::Form::invalidDrag:
        // Numbers that cannot be used are never turned into a drag.
        m_diagnostics.write(DragTestRequest::resultFileName, request->record());
        appendReconcileLog(request->record());
        co_return;
    case DragTestRequest::Form::singleDrag:
        // Set before any suspension, so no reconcile run starts under the drag, and nothing else
        // moves on the bar it measures.
        m_runs.begin();
        m_runs.setDragUnderWay(true);
        co_await runSingleDragTest(QPointer<ClassicEngine>(this), std::move(*request));
        co_return;
    case DragTestRequest::Form::command:
        co_await runTestCommand(QPointer<ClassicEngine>(this), std::move(*request));
        co_return;
    }
}

QCoro::Task<> ClassicEngine::runSingleDragTest(QPointer<ClassicEngine> self,
                                               DragTestRequest request) {
    co_await self->waitForInputIdle(1.5, std::nullopt);
    if (!self) {
        co_return;
    }
    self->m_rehideTask.cancel();
    self->revealForDragging();
    co_await self->sleep(0.4);
    if (!self) {
        co_return;
    }
    co_await self->refresh();
    if (!self) {
        co_return;
    }
    std::optional<MenuBarItemID> found;
    for (const MenuBarItem &item : self->m_bar.lastItems()) {
        const auto frame = self->m_bar.lastFrames().constFind(item.id);
        if (item.id.bundleID == request.bundleID && frame != self->m_bar.lastFrames().constEnd() &&
            frame->width() > 0) {
            found = item.id;
            break;
        }
    }
    const BorrowedCursor::Owner owner = self->m_cursor.newOwner();
    QJsonObject record;
    if (!found) {
        record = request.notOnBarRecord();
    } else {
        const QPointF from = self->m_bar.lastFrames().value(*found).center();
        const QPointF to(from.x() + request.deltaX, from.y());
        const QJsonObject before =
            BarGeometry::reflowSnapshot(self->m_bar.lastItems(), *self->m_separatorController);
        const Duration dragTime =
            (co_await self->m_cursor.performDrag(owner, from, to, request.gesture))
                .value_or(Duration::zero());
        if (!self) {
            co_return;
        }
        self->m_wanted.ownDragPosted(*found);
        self->m_cursor.endCursorSession(owner);
        co_await self->sleep(0.3);
        if (!self) {
            co_return;
        }
        co_await self->refresh();
        if (!self) {
            co_return;
        }
        const QJsonObject after =
            BarGeometry::reflowSnapshot(self->m_bar.lastItems(), *self->m_separatorController);
        const auto frame = self->m_bar.lastFrames().constFind(*found);
        const std::optional<double> afterX = frame != self->m_bar.lastFrames().constEnd()
                                                 ? std::optional(frame->center().x())
                                                 : std::nullopt;
        const qint64 dragMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(dragTime).count();
        record = request.measuredRecord(before, after, dragMs, from.x(), afterX);
    }
    self->m_diagnostics.write(DragTestRequest::resultFileName, record);
    self->appendReconcileLog(record);
    co_await self->sleep(0.35);
    if (!self) {
        co_return;
    }
    // Cleared once, before the tuck: a run admitted during the tuck owns the flag from then on.
    self->m_runs.end();
    co_await self->setHiddenRevealed(false, false, u"drag-test"_s, false);
    if (self) {
        self->m_cursor.endCursorSession(owner);
    }
}

QCoro::Task<> ClassicEngine::runTestCommand(QPointer<ClassicEngine> self, DragTestRequest request) {
    const QString &command = request.command;
    self->appendReconcileLog({{u"kind"_s, u"test-command"_s}, {u"command"_s, command}});
    if (command == u"collapse-separators"_s) {
        self->revealForDragging();
    } else if (command == u"hide-icon"_s || command == u"show-icon"_s) {
        self->setIconVisible(command == u"show-icon"_s);
        co_await self->sleep(0.6);
        if (!self) {
            co_return;
        }
        SeparatorController &separators = *self->m_separatorController;
        self->appendReconcileLog({{u"kind"_s, u"icon-toggle-result"_s},
                                  {u"command"_s, command},
                                  {u"iconHidden"_s, separators.iconHidden()},
                                  {u"safelyRightmost"_s, separators.iconIsSafelyRightmost()},
                                  {u"geometry"_s, separators.geometry()}});
    } else if (command == u"sort"_s) {
        const bool savedReorder = std::exchange(self->m_reorderEnabled, true);
        co_await self->reconcileMenuBar(u"sort-test"_s);
        if (self) {
            self->m_reorderEnabled = savedReorder;
        }
    } else if (command == u"reverse-hidden"_s) {
        const bool savedReorder = std::exchange(self->m_reorderEnabled, true);
        SectionLayout reversed = self->m_wanted.storedLayout();
        QList<MenuBarItemID> hidden = reversed.ids(Section::hidden);
        if (hidden.size() >= 2) {
            std::reverse(hidden.begin(), hidden.end());
            reversed.sections.insert(Section::hidden, hidden);
            self->m_wanted.replace(reversed);
            self->reportLayout();
            co_await self->reconcileMenuBar(u"reverse-hidden"_s);
        }
        if (self) {
            self->m_reorderEnabled = savedReorder;
        }
    } else if (command == u"bench-sort"_s) {
        co_await runBenchSort(self, request.batch);
    }
}

QCoro::Task<> ClassicEngine::runBenchSort(QPointer<ClassicEngine> self, bool batch) {
    const bool savedBatch = std::exchange(self->m_batchExecutionEnabled, batch);
    const bool savedReorder = std::exchange(self->m_reorderEnabled, true);
    // No intermediate layout reaches the application.
    LayoutChangedCallback savedCallback = std::exchange(self->m_onLayoutChanged, nullptr);
    const SectionLayout savedLayout = self->m_wanted.storedLayout();
    QList<MenuBarItemID> hidden = savedLayout.ids(Section::hidden);
    if (hidden.size() >= 2) {
        std::reverse(hidden.begin(), hidden.end());
        SectionLayout scrambled = savedLayout;
        scrambled.sections.insert(Section::hidden, hidden);
        self->m_wanted.replace(scrambled);
        co_await self->reconcileMenuBar(u"bench-scramble"_s);
        if (!self) {
            co_return;
        }
    }
    self->m_wanted.replace(savedLayout);
    co_await self->reconcileMenuBar(u"bench-restore"_s);
    if (!self) {
        co_return;
    }
    self->m_reorderEnabled = savedReorder;
    self->m_batchExecutionEnabled = savedBatch;
    self->m_onLayoutChanged = std::move(savedCallback);
    self->reportLayout();
}

} // namespace zorv
