#pragma once

#include "cancellation.h"
#include "clock.h"

#include <QCoroTask>
#include <QString>

namespace zorv {

class AppModel;

// What "--sim-churn-stores" does, for crash tests that kill Zorv while it writes its files: every
// simulated second one burst of changes through the model's own operations (an item alias in the
// settings and the first profile's name, both set to the burst's number, and an item moved to
// another section of the wanted layout), then "churn <number>" on standard output. A store
// writes a burst 0.4 s after it, so when a number is printed the burst before it is on disk. The
// numbers go on from the one the settings file holds. Main thread.
class StoreChurn {
public:
    // The item alias key that holds the burst's number.
    static inline const QString aliasKey = QStringLiteral("zorv-store-churn");
    static constexpr double burstSeconds = 1.0;

    // The model must outlive the churn.
    StoreChurn(AppModel &model, Clock &clock);
    ~StoreChurn();
    StoreChurn(const StoreChurn &) = delete;
    StoreChurn &operator=(const StoreChurn &) = delete;

    // The bursts until the churn is destroyed.
    void start();
    // The number of the last burst made (or read from the settings file before the first).
    [[nodiscard]] qint64 burst() const { return m_burst; }

private:
    QCoro::Task<> run(CancellationToken token);
    void makeBurst();

    AppModel &m_model;
    Clock &m_clock;
    qint64 m_burst = 0;
    CancellationSource m_lifetime;
};

} // namespace zorv
