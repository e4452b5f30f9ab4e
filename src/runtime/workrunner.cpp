#include "workrunner.h"

#include <QCoreApplication>

namespace zorv {

namespace {

// How long each round waits for the pool, and how many rounds a quit allows.
constexpr int kRoundMilliseconds = 100;
constexpr int kRounds = 50;

} // namespace

void WorkRunner::handBackOutstanding(QThreadPool *pool) {
    for (int round = 0; round < kRounds; ++round) {
        const bool jobsEnded = pool->waitForDone(kRoundMilliseconds);
        QCoreApplication::sendPostedEvents();
        if (jobsEnded && workrunnerdetail::Handoff::awaited.load(std::memory_order_relaxed) == 0) {
            return;
        }
    }
}

} // namespace zorv
