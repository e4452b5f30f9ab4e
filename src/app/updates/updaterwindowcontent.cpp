#include "updaterwindowcontent.h"

#include "updates/simupdater.h"

namespace zorv {

UpdaterWindowContent::UpdaterWindowContent(UpdaterWindow window, SimUpdater &updater,
                                           QObject *parent)
    : QObject(parent), m_window(std::move(window)), m_updater(&updater) {}

void UpdaterWindowContent::answer(bool toTheOffer, void (SimUpdater::*call)()) {
    if (offersUpdate() != toTheOffer || std::exchange(m_answered, true) || !m_updater) {
        return;
    }
    (m_updater->*call)();
}

void UpdaterWindowContent::installUpdate() {
    answer(true, &SimUpdater::userInstallsUpdate);
}

void UpdaterWindowContent::remindLater() {
    answer(true, &SimUpdater::userRemindsLater);
}

void UpdaterWindowContent::skipVersion() {
    answer(true, &SimUpdater::userSkipsVersion);
}

void UpdaterWindowContent::acknowledge() {
    answer(false, &SimUpdater::userAcknowledgesAlert);
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
