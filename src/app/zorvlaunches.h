#pragma once

#include "clock.h"
#include "simoptions.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace zorv {

class DesktopApp;
class SimulatedPlatform;

// Zorv on the simulated Mac from its launch to its last quit. Installing an update quits Zorv;
// the simulated Mac then does what the update framework's installer does: it puts the new build
// in place and launches Zorv again on the same running Mac, with the same data folder and its
// items where they stood, without the first launch's arguments. The options' run limit counts on
// across such launches, and what the run writes at its end (the dump, the last picture) is the
// last copy's. Main thread.
class ZorvLaunches : public QObject {
    Q_OBJECT

public:
    // The platform must outlive this.
    ZorvLaunches(SimulatedPlatform &platform, SimOptions options, QObject *parent = nullptr);
    ~ZorvLaunches() override;

    // Launches Zorv. False, with a message on standard error, when its window cannot be loaded.
    [[nodiscard]] bool start();
    // The running copy; null before the start and after a relaunch that failed.
    [[nodiscard]] DesktopApp *app() const { return m_app.get(); }
    // How often Zorv was launched.
    [[nodiscard]] int launches() const { return m_launches; }
    // Another launch on the same data folder handed over its arguments.
    void openedByAnotherLaunch(const QStringList &arguments);

Q_SIGNALS:
    // Zorv was launched again at an installed update's build.
    void relaunched();
    // Zorv quit for good, or the run limit came, and everything is written: quit with this code.
    void finished(int exitCode);

private:
    // `picturesBefore`: the layout pictures the copies before saved.
    [[nodiscard]] bool launch(SimOptions options, int picturesBefore);
    void ended(int exitCode);
    void relaunch();

    SimulatedPlatform &m_platform;
    const SimOptions m_options;
    // When the run limit falls due.
    std::optional<MonotonicTime> m_deadline;
    std::unique_ptr<DesktopApp> m_app;
    int m_launches = 0;
};

} // namespace zorv
