#pragma once

#include "displayid.h"
#include "jsonreader.h"

#include <QRectF>
#include <QString>

namespace zorv {

// One display of a scenario. The frame is in the bottom-left convention (the first screen of a
// scenario is the primary one, at the origin; y grows upwards), like the screens the platform
// reports. `displayId` names the screen in timed events; it defaults to the screen's position in
// the list, counted from 1.
struct ScenarioScreen {
    DisplayId displayId = 0;
    QString name;
    QRectF frame;
    double scale = 2.0;
    double menuBarHeight = 24.0;
    // 0 for a screen without a camera housing.
    double cameraHousingWidth = 0.0;
    bool notHiding = false;
    bool autoHidesMenuBar = false;

    // `defaultId` is used when the file gives none.
    static ScenarioScreen fromJson(const JsonValueRef &value, DisplayId defaultId);

    friend bool operator==(const ScenarioScreen &, const ScenarioScreen &) = default;
};

} // namespace zorv
