#include "workerjobs.h"

#include "mainthread.h"

#include <QThreadPool>

#include <atomic>
#include <mutex>

namespace zorv {

namespace {

struct Counts {
    std::mutex mutex;
    int inFlight = 0;
    int waiting = 0;
    quint64 changes = 0;
};

std::atomic<int> g_mainWakes{0};

Counts &counts() {
    static Counts shared;
    return shared;
}

void change(int inFlight, int waiting) {
    Counts &all = counts();
    std::lock_guard lock(all.mutex);
    all.inFlight += inFlight;
    all.waiting += waiting;
    ++all.changes;
}

thread_local QThreadPool *t_pool = nullptr;

} // namespace

WorkerJobs::Ticket::Ticket() {
    change(1, 0);
}

WorkerJobs::Ticket::Ticket(Ticket &&other) noexcept
    : m_counted(std::exchange(other.m_counted, false)) {}

WorkerJobs::Ticket::~Ticket() {
    if (m_counted) {
        change(-1, 0);
        nudgeMainThread();
    }
}

WorkerJobs::Running::Running(QThreadPool *pool) : m_previous(std::exchange(t_pool, pool)) {}

WorkerJobs::Running::~Running() {
    t_pool = m_previous;
}

int WorkerJobs::busy() {
    Counts &all = counts();
    std::lock_guard lock(all.mutex);
    return all.inFlight - all.waiting;
}

quint64 WorkerJobs::changes() {
    Counts &all = counts();
    std::lock_guard lock(all.mutex);
    return all.changes;
}

bool WorkerJobs::runsJob() {
    return t_pool != nullptr;
}

void WorkerJobs::waitBegins() {
    change(0, 1);
    // Jobs queued behind this one must be able to start, or they would never reach their own
    // sleeps and time could never move.
    t_pool->releaseThread();
}

void WorkerJobs::waitReleased() {
    change(0, -1);
}

void WorkerJobs::waitEnded() {
    t_pool->reserveThread();
}

void WorkerJobs::mainWakePosted() {
    g_mainWakes.fetch_add(1, std::memory_order_relaxed);
}

void WorkerJobs::mainWakeGone() {
    g_mainWakes.fetch_sub(1, std::memory_order_relaxed);
}

bool WorkerJobs::mainWakesPending() {
    return g_mainWakes.load(std::memory_order_relaxed) > 0;
}

} // namespace zorv
