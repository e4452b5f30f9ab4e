#include "storechurn.h"

#include "appmodel.h"
#include "modelprofiles.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace zorv {

StoreChurn::StoreChurn(AppModel &model, Clock &clock) : m_model(model), m_clock(clock) {
    m_burst = model.settings().alias(aliasKey).value_or(QString()).toLongLong();
}

StoreChurn::~StoreChurn() {
    m_lifetime.cancel();
}

void StoreChurn::start() {
    run(m_lifetime.token());
}

QCoro::Task<> StoreChurn::run(CancellationToken token) {
    Clock &clock = m_clock;
    while (true) {
        const SleepOutcome outcome = co_await clock.sleep(seconds(burstSeconds), token);
        // Cancelled: the churn is gone.
        if (outcome == SleepOutcome::Cancelled || token.isCancelled()) {
            co_return;
        }
        makeBurst();
    }
}

void StoreChurn::makeBurst() {
    ++m_burst;
    const QString number = QString::number(m_burst);
    m_model.editSettings([&number](Settings &settings) { settings.setAlias(number, aliasKey); });
    m_model.persistSettings();

    ModelProfiles &profiles = m_model.profileOps();
    if (m_model.profiles().profiles.isEmpty()) {
        profiles.saveProfileFromCurrent(number);
    } else {
        profiles.renameProfile(m_model.profiles().profiles.first().id, number);
    }

    QList<MenuBarItemID> movable;
    for (const MenuBarItem &item : m_model.items()) {
        if (!item.isUnmovable && !item.id.isSystemPinned()) {
            movable.append(item.id);
        }
    }
    if (!movable.isEmpty()) {
        m_model.move(movable.at(m_burst % movable.size()), allSections[m_burst % 3]);
    }
    std::printf("churn %lld\n", static_cast<long long>(m_burst));
    std::fflush(stdout);
}

} // namespace zorv
