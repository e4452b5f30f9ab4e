#include "asyncqueue.h"

#include "coroutinetest.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

using namespace std::chrono_literals;

namespace zorv {
namespace {

// Pushes through here mark the producer's synchronous step, which no delivery may interrupt.
struct Producer {
    AsyncQueue<int> *queue;
    bool pushing = false;
    int next = 0;

    void pushOne() {
        pushing = true;
        queue->push(next++);
        pushing = false;
    }

    // A push, a nested call that pushes more, and another push, all in one synchronous step.
    void nestedBurst(int depth) {
        const bool outer = !pushing;
        pushing = true;
        queue->push(next++);
        if (depth > 0) {
            nestedBurst(depth - 1);
        }
        queue->push(next++);
        pushing = outer ? false : pushing;
    }
};

struct Consumed {
    std::vector<int> values;
    int deliveredDuringPush = 0;
    bool ended = false;
};

QCoro::Task<> consume(AsyncQueue<int> *queue, const Producer *producer, Consumed *out,
                      std::size_t count) {
    while (out->values.size() < count) {
        const std::optional<int> value = co_await queue->next();
        if (!value) {
            out->ended = true;
            co_return;
        }
        if (producer && producer->pushing) {
            ++out->deliveredDuringPush;
        }
        out->values.push_back(*value);
    }
}

std::vector<int> upTo(int count) {
    std::vector<int> values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), 0);
    return values;
}

TEST(AsyncQueue, BurstsFromNestedCallsAndAcrossLoopTurnsArriveOnceInOrder) {
    AsyncQueue<int> queue;
    Producer producer{&queue};
    Consumed consumed;
    constexpr int kTotal = 12 + 10 + 1000;
    auto consumer = consume(&queue, &producer, &consumed, kTotal);

    producer.nestedBurst(5); // 12 values in one synchronous step
    EXPECT_TRUE(consumed.values.empty()) << "delivered inside push()";
    for (int turn = 0; turn < 10; ++turn) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&producer] { producer.pushOne(); },
            Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&producer] {
            for (int i = 0; i < 1000; ++i) {
                producer.pushOne();
            }
        },
        Qt::QueuedConnection);
    runTask(std::move(consumer));

    EXPECT_EQ(consumed.values, upTo(kTotal));
    EXPECT_EQ(consumed.deliveredDuringPush, 0);
    EXPECT_EQ(queue.queued(), 0u);
}

TEST(AsyncQueue, KeepsValuesPushedBeforeTheConsumerAttaches) {
    AsyncQueue<int> queue;
    for (int i = 0; i < 3; ++i) {
        queue.push(i);
    }
    Consumed consumed;
    runTask(consume(&queue, nullptr, &consumed, 3));
    EXPECT_EQ(consumed.values, upTo(3));
}

TEST(AsyncQueue, FinishDrainsWhatIsQueuedThenEnds) {
    AsyncQueue<int> queue;
    Consumed consumed;
    auto consumer = consume(&queue, nullptr, &consumed, 10);
    queue.push(0);
    queue.push(1);
    queue.finish();
    queue.push(2); // after the end: ignored
    EXPECT_TRUE(consumed.values.empty());
    runTask(std::move(consumer));
    EXPECT_EQ(consumed.values, upTo(2));
    EXPECT_TRUE(consumed.ended);
}

struct DestroyCase {
    const char *name;
    int pushedBeforeDestruction; // pushed while the consumer waits, not yet delivered
};

void PrintTo(const DestroyCase &row, std::ostream *out) {
    *out << row.name;
}

class AsyncQueueDestroyed : public ::testing::TestWithParam<DestroyCase> {};

TEST_P(AsyncQueueDestroyed, AWaitingConsumerSeesTheStreamEndAndNothingDangles) {
    auto queue = std::make_unique<AsyncQueue<int>>();
    Consumed consumed;
    auto consumer = consume(queue.get(), nullptr, &consumed, 10);
    for (int i = 0; i < GetParam().pushedBeforeDestruction; ++i) {
        queue->push(i);
    }
    queue.reset();
    EXPECT_FALSE(consumed.ended) << "resumed inside the destructor";
    runTask(std::move(consumer));
    EXPECT_TRUE(consumed.ended);
    EXPECT_TRUE(consumed.values.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, AsyncQueueDestroyed,
                         ::testing::Values(DestroyCase{"Empty", 0},
                                           DestroyCase{"WithAWakeUpOnItsWay", 2}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
