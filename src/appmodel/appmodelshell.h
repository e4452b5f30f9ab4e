#pragma once

#include "shell/appearanceoverlaycontroller.h"
#include "shell/automationrunner.h"
#include "shell/notifier.h"
#include "shell/revealgestures.h"
#include "shell/secondarybarcontroller.h"
#include "shell/triggermonitors.h"

#include <functional>
#include <memory>

namespace zorv {

class AppModel;

// How the app model makes the application shell's and the automation front end's controllers,
// each when it first needs one. Objects given the model must not keep it alive (they hold it
// weakly, e.g. through a QPointer).
struct AppModelShell {
    std::function<std::unique_ptr<RevealGestures>(AppModel &model)> makeRevealGestures;
    std::function<std::unique_ptr<AppearanceOverlayController>()> makeAppearanceOverlay;
    std::function<std::unique_ptr<SecondaryBarController>(AppModel &model)> makeSecondaryBar;
    std::function<std::unique_ptr<TriggerMonitors>(TriggerMonitors::ChangeHandler onChange)>
        makeTriggerMonitors;
    std::function<std::unique_ptr<AutomationRunner>(AppModel &model)> makeAutomationRunner;
    // Must outlive the model.
    Notifier &notifier;
};

} // namespace zorv
