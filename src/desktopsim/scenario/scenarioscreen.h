#pragma once

#include "jsonreader.h"
#include "model/screenrecord.h"

namespace zorv {

// Reads one display of a scenario into the simulator's own description of a screen. The frame is
// in the bottom-left convention (the first screen of a scenario is the primary one, at the origin;
// y grows upwards), like the screens the platform reports. The display id names the screen in
// timed events; it defaults to the screen's position in the list, counted from 1.
class ScenarioScreen {
public:
    // `defaultId` is used when the file gives none.
    [[nodiscard]] static ScreenRecord fromJson(const JsonValueRef &value, DisplayId defaultId);
};

} // namespace zorv
