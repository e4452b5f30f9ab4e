#include "scenarioscreen.h"

#include "scenariojson.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Pixels per point of the densest display a Mac drives, with room to spare.
constexpr double maximumScale = 4.0;

} // namespace

ScreenRecord ScenarioScreen::fromJson(const JsonValueRef &value, DisplayId defaultId) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object,
                            {u"displayId"_s, u"name"_s, u"frame"_s, u"scale"_s, u"menuBarHeight"_s,
                             u"cameraHousingWidth"_s, u"notHiding"_s, u"autoHidesMenuBar"_s});
    ScreenRecord screen;
    screen.displayId = defaultId;
    if (auto id = object.optional(u"displayId")) {
        screen.displayId = scenariojson::toDisplayId(*id);
    }
    screen.name = object.required<QString>(u"name");
    screen.frame = scenariojson::toRect(object.required(u"frame"));
    if (auto scale = object.optional(u"scale")) {
        screen.scale = scenariojson::toNumberBetween(*scale, 1.0, maximumScale);
    }
    if (auto height = object.optional(u"menuBarHeight")) {
        screen.menuBarHeight = scenariojson::toNumberAtLeast(*height, 1.0);
        if (screen.menuBarHeight >= screen.frame.height()) {
            height->fail(u"The menu bar must be lower than the screen."_s);
        }
    }
    if (auto housing = object.optional(u"cameraHousingWidth")) {
        screen.cameraHousingWidth = scenariojson::toNumberAtLeast(*housing, 0.0);
        if (screen.cameraHousingWidth >= screen.frame.width()) {
            housing->fail(u"The camera housing must be narrower than the screen."_s);
        }
    }
    screen.notHiding = object.optional<bool>(u"notHiding").value_or(false);
    screen.autoHidesMenuBar = object.optional<bool>(u"autoHidesMenuBar").value_or(false);
    return screen;
}

} // namespace zorv
