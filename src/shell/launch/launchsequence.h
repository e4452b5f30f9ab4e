#pragma once

#include "launch/launcharguments.h"
#include "launch/launchsteps.h"

#include <QObject>
#include <QPointer>

namespace zorv {

class AppModel;
class ShellWindows;

// The order of the launch once the application has finished launching. In normal mode: dress
// the icon, log refused tucks, start updates, connect the model, start the launch task, then the
// windows the launch arguments ask for (so they open before the model has started). The launch
// task starts the model, registers the hot keys, reopens the settings pane an update left open,
// then offers the move into Applications; once that offer is gone (or when none is needed) the
// welcome window shows when onboarding is not completed or "--show-onboarding" is given (with
// Settings brought back in front of it when the launch asked for Settings), else the
// Accessibility prompt when the process is not trusted. Main thread.
class LaunchSequence : public QObject {
    Q_OBJECT

public:
    LaunchSequence(AppModel &model, ShellWindows &windows, LaunchSteps &steps,
                   LaunchArguments arguments, QObject *parent = nullptr);

    void didFinishLaunching();
    // The last step, run once per launch: after the move offer or straight after the task.
    void continueLaunch();
    // The launch task has run to its end (the move offer may still be open).
    [[nodiscard]] bool isStarted() const { return m_started; }

Q_SIGNALS:
    void started();

private:
    static QCoro::Task<> launchTask(QPointer<LaunchSequence> self);

    AppModel &m_model;
    ShellWindows &m_windows;
    LaunchSteps &m_steps;
    const LaunchArguments m_arguments;
    bool m_started = false;
    bool m_continued = false;
};

} // namespace zorv
