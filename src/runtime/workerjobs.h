#pragma once

#include <QtGlobal>

class QThreadPool;

namespace zorv {

// Accounts for the work running off the main thread, so that a manual clock moves time only while
// every job waits on it. A job counts from the moment WorkRunner hands it to a pool (on the main
// thread) until it has returned and posted its result back; while it sits in a manual clock's
// blockingSleep() it counts as waiting, not busy. Process-wide, because a job may run on any pool
// and sleep on any clock. Any thread.
class WorkerJobs {
public:
    // One job from hand-over until the ticket is destroyed (normally by the job itself, once its
    // result is on its way to the main thread; otherwise when the pool drops the job unrun).
    class Ticket {
    public:
        Ticket();
        ~Ticket();
        Ticket(Ticket &&other) noexcept;
        Ticket &operator=(Ticket &&) = delete;
        Ticket(const Ticket &) = delete;
        Ticket &operator=(const Ticket &) = delete;

    private:
        bool m_counted = true;
    };

    // Marks the calling thread as running a counted job of `pool` for the scope's lifetime.
    class Running {
    public:
        explicit Running(QThreadPool *pool);
        ~Running();
        Running(const Running &) = delete;
        Running &operator=(const Running &) = delete;

    private:
        QThreadPool *m_previous;
    };

    // Jobs handed over that neither wait on a manual clock nor have ended.
    [[nodiscard]] static int busy();
    // Grows whenever a job is handed over, starts or stops waiting, or ends.
    [[nodiscard]] static quint64 changes();

    // True on a thread running a counted job.
    [[nodiscard]] static bool runsJob();
    // The calling thread's job now waits on a manual clock: it counts as waiting and lends its
    // pool slot to queued jobs until waitEnded().
    static void waitBegins();
    // The job's wait is over (called by whoever releases it, so that it counts as busy again
    // before the releasing thread looks at busy()).
    static void waitReleased();
    // On the job's thread once it runs again: takes its pool slot back.
    static void waitEnded();

    // A manual clock posted the wake-up of a main-thread sleeper that is due, or that wake-up ran
    // (or its clock went). A finished job's result waits for those: which of the two the main
    // thread takes first must not hang on how fast the job ran.
    static void mainWakePosted();
    static void mainWakeGone();
    [[nodiscard]] static bool mainWakesPending();
};

} // namespace zorv
