#include "mainthread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace zorv {

void postToMainThread(std::function<void()> call) {
    auto *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "postToMainThread", "the runtime needs a QCoreApplication");
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
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
