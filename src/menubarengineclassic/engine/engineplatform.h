#pragma once

#include "accessibility.h"
#include "apppreferences.h"
#include "clock.h"
#include "inputevents.h"
#include "screencapture.h"
#include "screens.h"
#include "statusbar.h"
#include "systemfacts.h"
#include "windowlist.h"
#include "workrunner.h"
#include "workspace.h"

#include <QString>

namespace zorv {

// The operating-system services the engine runs on, handed in once by the composition root (or a
// test). Every service must outlive the engine. `work` runs the accessibility reads, clicks and
// nudges off the main thread; `diagnosticsFolder` is where the engine's trail of decisions goes;
// `appPreferences` is this application's own domain, where its status items' positions are kept;
// `systemFacts` gives the operating system's version the snapshot names; `windowList` shows the
// menus open.
struct EnginePlatform {
    Clock &clock;
    Accessibility &accessibility;
    Workspace &workspace;
    StatusBar &statusBar;
    Screens &screens;
    WindowList &windowList;
    ScreenCapture &screenCapture;
    InputEvents &inputEvents;
    WorkRunner work;
    QString diagnosticsFolder;
    AppPreferences &appPreferences;
    const SystemFacts &systemFacts;
};

} // namespace zorv
