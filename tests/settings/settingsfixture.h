#pragma once

#include "appmodelharness.h"
#include "items/menubarcolorsampler.h"
#include "kit/zorvkit.h"
#include "modelview.h"
#include "settingsservices.h"
#include "system/simfilepanels.h"
#include "system/simfileviewer.h"

#include <QQmlEngine>

namespace zorv {

// A started model on one Mac (over `items`), the view and services the settings window gets, and a
// QML engine with the kit drawing on that Mac's appearance and clock.
class SettingsFixture {
protected:
    explicit SettingsFixture(QList<MenuBarItem> items = MockMenuBarEngine::fixtures())
        : mac(clock, cloud, QStringLiteral("Mac"), std::move(items)) {
        ZorvKit &kit = ZorvKit::install(engine, mac.desktop().appearance(), clock);
        view.setKit(&kit);
    }

    // Runs the event loop and the clock until nothing is due.
    void settle() { clock.settle(); }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac;
    AppModel &model = mac.started();
    ModelView view{model};
    SimFilePanels panels;
    SimFileViewer viewer;
    MenuBarColorSampler sampler{mac.desktop().screens(), mac.desktop().desktopPictures(), clock};
    SettingsServices services{clock, panels, viewer, mac.desktop().scripting(), {}, &sampler};
    QQmlEngine engine;
};

} // namespace zorv
