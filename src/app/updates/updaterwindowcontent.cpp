#include "updaterwindowcontent.h"

#include "updates/simupdater.h"

namespace zorv {

UpdaterWindowContent::UpdaterWindowContent(UpdaterWindow window, SimUpdater &updater,
                                           QObject *parent)
    : QObject(parent), m_window(std::move(window)), m_updater(&updater) {}

SimUpdater *UpdaterWindowContent::answering() {
    if (std::exchange(m_answered, true)) {
        return nullptr;
    }
    return m_updater.data();
}

void UpdaterWindowContent::installUpdate() {
    if (offersUpdate()) {
        if (SimUpdater *updater = answering()) {
            updater->userInstallsUpdate();
        }
    }
}

void UpdaterWindowContent::remindLater() {
    if (offersUpdate()) {
        if (SimUpdater *updater = answering()) {
            updater->userRemindsLater();
        }
    }
}

void UpdaterWindowContent::skipVersion() {
    if (offersUpdate()) {
        if (SimUpdater *updater = answering()) {
            updater->userSkipsVersion();
        }
    }
}

void UpdaterWindowContent::acknowledge() {
    if (!offersUpdate()) {
        if (SimUpdater *updater = answering()) {
            updater->userAcknowledgesAlert();
        }
    }
}

void UpdaterWindowContent::pressDefault() {
    if (offersUpdate()) {
        installUpdate();
    } else {
        acknowledge();
    }
}

void UpdaterWindowContent::cancel() {
    if (offersUpdate()) {
        remindLater();
    } else {
        acknowledge();
    }
}

} // namespace zorv
