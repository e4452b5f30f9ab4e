#include "workrunner.h"

#include "coroutinetest.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace std::chrono_literals;

namespace zorv {
namespace {

struct Threads {
    QThread *work = nullptr;
    QThread *resumed = nullptr;
};

QCoro::Task<std::unique_ptr<int>> squareOf(WorkRunner *runner, int value, Threads *threads) {
    auto work = [value, threads] {
        threads->work = QThread::currentThread();
        return std::make_unique<int>(value * value);
    };
    auto result = co_await runner->run(std::move(work));
    threads->resumed = QThread::currentThread();
    co_return result;
}

class WorkRunnerModes : public ::testing::TestWithParam<WorkRunner::Mode> {};

TEST_P(WorkRunnerModes, HandsBackAMoveOnlyResultOrTheWorksOwnExceptionOnTheMainThread) {
    const bool inlineMode = GetParam() == WorkRunner::Mode::Inline;
    QThread *mainThread = QCoreApplication::instance()->thread();
    QThreadPool pool;
    WorkRunner runner(GetParam(), &pool);
    Threads threads;
    auto task = squareOf(&runner, 7, &threads);
    if (inlineMode) {
        EXPECT_EQ(threads.work, mainThread) << "inline work must be done inside run()";
    }
    const auto result = runTask(std::move(task), 2000ms);
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, 49);
    EXPECT_EQ(threads.resumed, mainThread);
    EXPECT_EQ(threads.work == mainThread, inlineMode);
    auto failing = [] { throw std::invalid_argument("no such file"); };
    EXPECT_THROW(runTask(runner.run(failing), 2000ms), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Modes, WorkRunnerModes,
                         ::testing::Values(WorkRunner::Mode::Inline, WorkRunner::Mode::ThreadPool),
                         [](const auto &info) {
                             return std::string(info.param == WorkRunner::Mode::Inline ? "Inline"
                                                                                       : "Pool");
                         });

} // namespace
} // namespace zorv
