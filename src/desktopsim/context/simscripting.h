#pragma once

#include "scripting.h"

#include <QStringList>

namespace zorv {

// The simulated Mac's script objects. A script runs as the script says it should: it succeeds,
// is refused (this application may not control the other one), or cannot even be built. Runs
// are recorded; a log-out request that ran is counted. Main thread.
class SimScripting final : public Scripting {
public:
    enum class Outcome { Runs, Refused, CannotBuild };

    [[nodiscard]] std::unique_ptr<CompiledScript> build(const QString &source) override;

    // Script: how the next scripts fare.
    void setOutcome(Outcome outcome) { m_outcome = outcome; }
    [[nodiscard]] const QStringList &ranScripts() const { return m_ran; }
    [[nodiscard]] int logoutsStarted() const { return m_logouts; }

private:
    class Script;

    Outcome m_outcome = Outcome::Runs;
    QStringList m_ran;
    int m_logouts = 0;
};

} // namespace zorv
