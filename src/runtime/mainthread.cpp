#include "mainthread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>

namespace zorv {

namespace {

// Qt's event queue synchronises the posting thread with the main thread through locks that
// ThreadSanitizer cannot see into (Qt is not built with it). Every post counts here (release) and
// the call reads the count (acquire) before it touches what it captured, which makes the hand-over
// visible to it.
std::atomic<quint64> g_posts{0};

} // namespace

void postToMainThread(std::function<void()> call) {
    auto *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "postToMainThread", "the runtime needs a QCoreApplication");
    std::function<void()> delivered = [call = std::move(call)] {
        (void)g_posts.load(std::memory_order_acquire);
        call();
    };
    g_posts.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(app, std::move(delivered), Qt::QueuedConnection);
}

bool isMainThread() {
    auto *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void nudgeMainThread() {
    if (QCoreApplication::instance() && !isMainThread()) {
        postToMainThread([] {});
    }
}

} // namespace zorv
