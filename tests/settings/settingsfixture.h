#pragma once

#include "appmodelharness.h"
#include "kit/zorvkit.h"
#include "modelview.h"
#include "settingsservices.h"
#include "system/simfilepanels.h"
#include "system/simfileviewer.h"

#include <QQmlEngine>

namespace zorv {

// A started model on one Mac, the view and services the settings window gets, and a QML engine
// with the kit drawing on that Mac's appearance and clock.
class SettingsFixture {
protected:
    SettingsFixture() {
        ZorvKit &kit = ZorvKit::install(engine, mac.desktop().appearance(), clock);
        view.setKit(&kit);
    }

    // Runs the event loop and the clock until nothing is due.
    void settle() { clock.settle(); }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, QStringLiteral("Mac")};
    AppModel &model = mac.started();
    ModelView view{model};
    SimFilePanels panels;
    SimFileViewer viewer;
    SettingsServices services{clock, panels, viewer, mac.desktop().scripting()};
    QQmlEngine engine;
};

} // namespace zorv
