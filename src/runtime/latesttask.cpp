#include "latesttask.h"

#include <QtDebug>

#include <exception>

namespace zorv {

namespace {

// Owns the body for as long as its coroutine runs: a lambda coroutine keeps its captures in the
// lambda object, not in the coroutine frame.
QCoro::Task<> runBody(LatestTask::Body body, CancellationToken token,
                      std::shared_ptr<bool> running) {
    try {
        co_await body(token);
    } catch (const std::exception &error) {
        qWarning() << "LatestTask: a task ended with an exception:" << error.what();
    } catch (...) {
        qWarning() << "LatestTask: a task ended with an unknown exception";
    }
    *running = false;
}

} // namespace

LatestTask::~LatestTask() {
    cancel();
}

void LatestTask::start(Body body) {
    cancel();
    m_source.emplace();
    m_running = std::make_shared<bool>(true);
    runBody(std::move(body), m_source->token(), m_running);
}

void LatestTask::cancel() {
    if (m_source) {
        m_source->cancel();
    }
}

bool LatestTask::isPending() const {
    return m_source && !m_source->isCancelled() && m_running && *m_running;
}

} // namespace zorv
