#pragma once

#include "model/desktopmodel.h"
#include "script/appdescription.h"

#include <QList>

#include <optional>

namespace zorv {

// The running applications of the simulated desktop, named by process id: launch, quit and
// activate them, make them misbehave (hang, lose their extras bar, answer with wrong types,
// refuse drags), and list them. Launches, quits and activations are announced by the model's
// applicationLaunched, applicationTerminated and applicationActivated signals.
//
// One of the applications is this process (Zorv itself): its status items are the ones the
// status-bar interface creates.
//
// An application reads the status-item spacing when it launches and keeps it: a new spacing
// reaches applications launched afterwards. Thread-safe.
class ApplicationRegistry {
public:
    explicit ApplicationRegistry(DesktopModel &model);

    // A new process id, never used before.
    qint32 launch(const AppDescription &description);
    // Launches this process's own application.
    qint32 launchCurrentProcess(const AppDescription &description);
    // Its status items leave the bar; the system remembers where each of them stood. When it was
    // frontmost the application activated before it comes to the front. False when no such process
    // runs.
    bool quit(qint32 processId);
    // Brings it to the front: its menus take the left of every bar.
    bool activate(qint32 processId);

    bool setHung(qint32 processId, bool hung);
    bool setDragAcceptance(qint32 processId, DragAcceptance acceptance);
    // How far its menus reach into the bar while it is frontmost.
    bool setMenusWidth(qint32 processId, double width);
    bool setExtrasBarFault(qint32 processId, AttributeFault fault);
    bool setChildrenFault(qint32 processId, AttributeFault fault);

    [[nodiscard]] QList<AppRecord> applications() const;
    [[nodiscard]] std::optional<AppRecord> application(qint32 processId) const;
    [[nodiscard]] qint32 currentProcessId() const;
    [[nodiscard]] std::optional<qint32> frontmostProcessId() const;

    void setStatusItemSpacing(double spacing);
    [[nodiscard]] double statusItemSpacing() const;
    // The application takes the settings read at launch (the status-item spacing) as they are
    // now, as if it had just launched: for this process, which starts with the desktop, before a
    // scenario has set the Mac up.
    bool readLaunchSettings(qint32 processId);

private:
    template <typename Fn> bool change(qint32 processId, Fn &&fn);
    qint32 launchProcess(const AppDescription &description, bool currentProcess);

    DesktopModel &m_model;
};

} // namespace zorv
