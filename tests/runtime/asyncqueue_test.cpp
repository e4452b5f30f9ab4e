#include "asyncqueue.h"

#include "coroutinetest.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

namespace zorv {
namespace {

struct Consumed {
    std::vector<int> values;
    int deliveredDuringPush = 0;
    bool ended = false;
};

// Takes up to `count` values; `pushing` marks the producer's synchronous step, which no delivery
// may interrupt.
QCoro::Task<> consume(AsyncQueue<int> *queue, Consumed *out, std::size_t count,
                      const bool *pushing = nullptr) {
    while (out->values.size() < count) {
        const std::optional<int> value = co_await queue->next();
        if (!value) {
            out->ended = true;
            co_return;
        }
        out->deliveredDuringPush += pushing && *pushing ? 1 : 0;
        out->values.push_back(*value);
    }
}

std::vector<int> upTo(int count) {
    std::vector<int> values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), 0);
    return values;
}

TEST(AsyncQueue, BurstsBeforeWithinAndAcrossLoopTurnsArriveOnceInOrderNeverInsidePush) {
    AsyncQueue<int> queue;
    bool pushing = false;
    int next = 0;
    auto burst = [&](int count) {
        pushing = true;
        for (int i = 0; i < count; ++i) {
            queue.push(next++);
        }
        pushing = false;
    };
    burst(3); // before the consumer attaches
    constexpr int kTotal = 3 + 12 + 10 + 1000;
    Consumed consumed;
    auto consumer = consume(&queue, &consumed, kTotal, &pushing);
    burst(12);
    for (int turn = 0; turn < 10; ++turn) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { burst(1); }, Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { burst(1000); }, Qt::QueuedConnection);
    runTask(std::move(consumer));
    EXPECT_EQ(consumed.values, upTo(kTotal));
    EXPECT_EQ(consumed.deliveredDuringPush, 0);
    EXPECT_EQ(queue.queued(), 0u);
}

// Finishing ends the stream from the event loop, after the producer's step; destruction ends it at
// once, so a consumer never stays suspended when no event loop turns again (as at shutdown).
TEST(AsyncQueue, AWaitingConsumerSeesFinishOrDestructionEndTheStream) {
    struct Case {
        int pushed; // while the consumer waits; finishing keeps them, destruction drops them
        bool destroyed;
    };
    for (const Case row : {Case{2, false}, Case{0, true}, Case{2, true}}) {
        SCOPED_TRACE(::testing::Message() << row.pushed << (row.destroyed ? " destroyed" : ""));
        auto queue = std::make_unique<AsyncQueue<int>>();
        Consumed consumed;
        auto consumer = consume(queue.get(), &consumed, 10);
        for (int i = 0; i < row.pushed; ++i) {
            queue->push(i);
        }
        if (row.destroyed) {
            queue.reset();
        } else {
            queue->finish();
            queue->push(99); // after the end: ignored
        }
        EXPECT_EQ(consumed.ended, row.destroyed);
        runTask(std::move(consumer));
        EXPECT_TRUE(consumed.ended);
        EXPECT_EQ(consumed.values, upTo(row.destroyed ? 0 : row.pushed));
    }
}

} // namespace
} // namespace zorv
