#pragma once

#include <QtGlobal>

#include <chrono>

namespace zorv {

// Tells from another thread whether a thread is stuck in a blocking wait (a join, a pool's
// waitForDone) rather than busy or merely not scheduled: it must be found asleep in the kernel at
// every look, use no processor time and make no progress (as the caller counts it) for a whole
// period. Where the system cannot tell a thread's state, only progress counts.
class StuckThreadWatch {
public:
    explicit StuckThreadWatch(qint64 systemThreadId) : m_thread(systemThreadId) {}

    // The operating system's id of the calling thread.
    [[nodiscard]] static qint64 currentSystemThreadId();

    // Looks once more; true when every look for at least `period` found the thread stuck with
    // `progress` unchanged. Then starts over.
    [[nodiscard]] bool stuckFor(std::chrono::milliseconds period, quint64 progress);

private:
    struct Look {
        bool asleep = true;
        quint64 processorTicks = 0;
    };
    [[nodiscard]] Look look() const;

    qint64 m_thread;
    bool m_watching = false;
    std::chrono::steady_clock::time_point m_since;
    quint64 m_progress = 0;
    quint64 m_processorTicks = 0;
};

} // namespace zorv
