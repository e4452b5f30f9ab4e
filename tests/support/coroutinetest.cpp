#include "coroutinetest.h"

#include <QEventLoop>
#include <QTimer>

namespace zorv::testdetail {

void finishWatch(TaskWatch &watch) {
    watch.finished = true;
    if (watch.loop) {
        watch.loop->quit();
    }
}

void waitForWatch(const std::shared_ptr<TaskWatch> &watch, std::chrono::milliseconds wallLimit,
                  const CallSite &caller) {
    if (watch->finished) {
        return;
    }
    QEventLoop loop;
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    limit.start(wallLimit);
    watch->loop = &loop;
    // Someone quitting every loop (QCoreApplication::exit) must not end the wait early.
    while (!watch->finished && !timedOut) {
        loop.exec();
    }
    // The task may still finish later (in another test's loop): it must not reach this loop then.
    watch->loop = nullptr;
    if (!watch->finished && timedOut) {
        ADD_FAILURE_AT(caller.file, caller.line)
            << "the task did not finish within " << wallLimit.count() << " ms of wall time";
        throw TaskTimeout("task did not finish within its wall-time limit");
    }
}

} // namespace zorv::testdetail
