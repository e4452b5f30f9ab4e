#include "menubarengine.h"

#include "mainthread.h"

#include <QCoreApplication>

namespace zorv {

QCoro::Task<> MenuBarEngine::setHiddenRevealed(bool reveal, bool includingAlwaysHidden) {
    return setHiddenRevealed(reveal, includingAlwaysHidden, false);
}

void MenuBarEngine::assertMainThread() {
    // A cheap pointer comparison; an engine touched from another thread would race with the
    // event loop, so this is checked in every build, not only in debug ones.
    if (QCoreApplication::instance() && !isMainThread()) {
        qFatal("MenuBarEngine: engines run on the main thread only");
    }
}

} // namespace zorv
