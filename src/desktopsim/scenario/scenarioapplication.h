#pragma once

#include "jsonreader.h"
#include "model/apprecord.h"
#include "runningapplication.h"
#include "scenarioitem.h"
#include "workspace/applicationicon.h"

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// One application of a scenario: installed, running at the start or launched later by a timed
// event, with the status items it creates at each launch.
struct ScenarioApplication {
    // How timed events name it: "id" when given, else the bundle identifier, else the name.
    QString ref;
    // Helper tools can lack either.
    std::optional<QString> bundleIdentifier;
    std::optional<QString> name;
    // Where it is installed; empty when it is not (then no path and no icon are known for it).
    QString path;
    // Absent: the generic application icon.
    std::optional<ApplicationIcon> icon;
    ActivationPolicy activationPolicy = ActivationPolicy::Accessory;
    // How far its menus reach into the bar while it is frontmost.
    double menusWidth = 0.0;
    bool running = true;
    bool frontmost = false;
    DragAcceptance drag = DragAcceptance::Always;
    bool hung = false;
    QList<ScenarioItem> items;

    static ScenarioApplication fromJson(const JsonValueRef &value);

    friend bool operator==(const ScenarioApplication &, const ScenarioApplication &) = default;
};

} // namespace zorv
