#pragma once

#include "workrunner.h"

#include <QString>
#include <QThreadPool>

namespace zorv {

class Accessibility;
class Clock;
class CloudKeyValueStore;
class GlobalPreferences;
class LoginItems;
class ProcessTable;
class SystemLog;
class Workspace;

// The system services and places the app model works with; all must outlive the model.
struct AppModelServices {
    Clock &clock;
    SystemLog &systemLog;
    Accessibility &accessibility;
    Workspace &workspace;
    GlobalPreferences &preferences;
    ProcessTable &processes;
    CloudKeyValueStore &cloudStore;
    LoginItems &loginItems;
    // Where the four store files, "backups", the hot-key log and the sync files live
    // (ZorvPaths::root() in the application).
    QString dataFolder;
    // This computer's name, as other Macs see it in sync notes; may be empty.
    QString deviceName;
    // Where the stores are written when the application quits.
    QThreadPool *flushPool = QThreadPool::globalInstance();
    // Where the file work of filling in the items' icons runs.
    WorkRunner iconWork = WorkRunner();
};

} // namespace zorv
