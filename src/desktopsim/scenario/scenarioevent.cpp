#include "scenarioevent.h"

#include "clock.h"
#include "scenariojson.h"
#include "scenarioscreen.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

using namespace scenarioaction;

constexpr double maximumEventTime = 365.0 * 24 * 3600;

enum class Verb {
    Launch,
    Quit,
    AddItem,
    RemoveItem,
    SetTitle,
    SetLength,
    DragItem,
    Input,
    AddScreen,
    RemoveScreen,
    ChangeScreen,
    Permission,
    Appearance
};

QStringList keysOf(Verb verb) {
    switch (verb) {
    case Verb::Launch:
    case Verb::Quit:
        return {u"app"_s};
    case Verb::AddItem:
    case Verb::RemoveItem:
        return {u"app"_s, u"item"_s};
    case Verb::SetTitle:
        return {u"app"_s, u"item"_s, u"title"_s};
    case Verb::SetLength:
        return {u"app"_s, u"item"_s, u"length"_s};
    case Verb::DragItem:
        return {u"app"_s, u"item"_s, u"toX"_s};
    case Verb::Input:
        return {u"input"_s, u"x"_s, u"y"_s, u"keyCode"_s};
    case Verb::AddScreen:
        return {u"screen"_s};
    case Verb::RemoveScreen:
        return {u"display"_s};
    case Verb::ChangeScreen:
        return {u"display"_s, u"frame"_s};
    case Verb::Permission:
        return {u"permission"_s, u"granted"_s};
    case Verb::Appearance:
        return {u"appearance"_s};
    }
    return {};
}

DisplayId displayFrom(const JsonValueRef &value) {
    const auto id = value.toInt<DisplayId>();
    if (id == 0) {
        value.fail(u"Display ids start at 1."_s);
    }
    return id;
}

Input inputFrom(const JsonObjectRef &object) {
    Input input;
    input.kind = scenariojson::toEnum<Input::Kind>(object.required(u"input"),
                                                   {{u"mouseMove", Input::Kind::MouseMove},
                                                    {u"leftClick", Input::Kind::LeftClick},
                                                    {u"rightClick", Input::Kind::RightClick},
                                                    {u"scroll", Input::Kind::Scroll},
                                                    {u"key", Input::Kind::Key}});
    if (input.kind == Input::Kind::Key) {
        input.keyCode = object.required(u"keyCode").toInt<quint16>();
        if (object.contains(u"x") || object.contains(u"y")) {
            object.fail(u"A key press has no location."_s);
        }
    } else {
        input.location = {object.required<double>(u"x"), object.required<double>(u"y")};
        if (object.contains(u"keyCode")) {
            object.required(u"keyCode").fail(u"Only a key press has a key code."_s);
        }
    }
    return input;
}

ScenarioAction actionFrom(Verb verb, const JsonObjectRef &object) {
    switch (verb) {
    case Verb::Launch:
        return Launch{object.required<QString>(u"app")};
    case Verb::Quit:
        return Quit{object.required<QString>(u"app")};
    case Verb::AddItem:
        return AddItem{object.required<QString>(u"app"),
                       ScenarioItem::fromJson(object.required(u"item"))};
    case Verb::RemoveItem:
        return RemoveItem{object.required<QString>(u"app"), object.required<QString>(u"item")};
    case Verb::SetTitle:
        return SetTitle{object.required<QString>(u"app"), object.required<QString>(u"item"),
                        object.required<QString>(u"title")};
    case Verb::SetLength:
        return SetLength{object.required<QString>(u"app"), object.required<QString>(u"item"),
                         ScenarioItem::lengthFromJson(object.required(u"length"))};
    case Verb::DragItem:
        return DragItem{object.required<QString>(u"app"), object.required<QString>(u"item"),
                        object.required<double>(u"toX")};
    case Verb::Input:
        return inputFrom(object);
    case Verb::AddScreen: {
        const JsonValueRef screen = object.required(u"screen");
        if (!screen.toObject().contains(u"displayId")) {
            screen.fail(u"A screen added by an event needs a \"displayId\"."_s);
        }
        return AddScreen{ScenarioScreen::fromJson(screen, 0)};
    }
    case Verb::RemoveScreen:
        return RemoveScreen{displayFrom(object.required(u"display"))};
    case Verb::ChangeScreen:
        return SetScreenFrame{displayFrom(object.required(u"display")),
                              scenariojson::toRect(object.required(u"frame"))};
    case Verb::Permission:
        return SetPermission{
            scenariojson::toEnum<SetPermission::Permission>(
                object.required(u"permission"),
                {{u"accessibility", SetPermission::Permission::Accessibility},
                 {u"screenRecording", SetPermission::Permission::ScreenRecording}}),
            object.required<bool>(u"granted")};
    case Verb::Appearance:
        return SetAppearance{scenariojson::toEnum<bool>(object.required(u"appearance"),
                                                        {{u"light", false}, {u"dark", true}})};
    }
    object.fail(u"Unknown action."_s);
}

} // namespace

ScenarioEvent ScenarioEvent::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    const Verb verb =
        scenariojson::toEnum<Verb>(object.required(u"do"), {{u"launch", Verb::Launch},
                                                            {u"quit", Verb::Quit},
                                                            {u"addItem", Verb::AddItem},
                                                            {u"removeItem", Verb::RemoveItem},
                                                            {u"setTitle", Verb::SetTitle},
                                                            {u"setLength", Verb::SetLength},
                                                            {u"dragItem", Verb::DragItem},
                                                            {u"input", Verb::Input},
                                                            {u"addScreen", Verb::AddScreen},
                                                            {u"removeScreen", Verb::RemoveScreen},
                                                            {u"changeScreen", Verb::ChangeScreen},
                                                            {u"permission", Verb::Permission},
                                                            {u"setAppearance", Verb::Appearance}});
    scenariojson::checkKeys(object, QStringList{u"at"_s, u"do"_s} + keysOf(verb));
    ScenarioEvent event;
    const JsonValueRef at = object.required(u"at");
    const double atSeconds = scenariojson::toNumberAtLeast(at, 0.0);
    if (atSeconds > maximumEventTime) {
        at.fail(u"Events happen within a year (%1 seconds) of the start."_s.arg(maximumEventTime));
    }
    event.at = seconds(atSeconds);
    event.action = actionFrom(verb, object);
    return event;
}

} // namespace zorv
