#include "eventloopwait.h"

#include <QEventLoop>
#include <QTimer>

namespace zorv {

bool runEventLoopUntil(const std::function<bool()> &done, std::chrono::milliseconds wall) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    bool met = false;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            met = true;
            loop.quit();
        }
    });
    check.start(std::chrono::milliseconds(5));
    QTimer::singleShot(wall, &loop, &QEventLoop::quit);
    loop.exec();
    return met || done();
}

} // namespace zorv
