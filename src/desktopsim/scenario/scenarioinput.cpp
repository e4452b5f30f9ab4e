#include "scenarioinput.h"

#include "input/keylayout.h"
#include "inputevent.h"
#include "scenariojson.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

using scenarioaction::Input;

constexpr qsizetype maxTypedText = 1000;
constexpr qint64 maxScrollLines = 100;

quint64 modifierFrom(const JsonValueRef &name) {
    return scenariojson::toEnum<quint64>(name, {{u"command", EventFlags::command},
                                                {u"option", EventFlags::option},
                                                {u"control", EventFlags::control},
                                                {u"shift", EventFlags::shift}});
}

// The modifier keys held down, each named once.
quint64 modifiersFrom(const JsonArrayRef &names) {
    quint64 modifiers = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const quint64 flag = modifierFrom(names.at(i));
        if (modifiers & flag) {
            names.at(i).fail(u"This modifier key is already held."_s);
        }
        modifiers |= flag;
    }
    return modifiers;
}

// Text the US keyboard types, 1 to maxTypedText characters.
QString typedTextFrom(const JsonValueRef &value) {
    const QString text = value.toString();
    if (text.isEmpty() || text.size() > maxTypedText) {
        value.fail(u"Type 1 to %1 characters."_s.arg(maxTypedText));
    }
    for (const QChar character : text) {
        if (!KeyLayout::stroke(character)) {
            value.fail(u"\"%1\" is not on the keyboard."_s.arg(character));
        }
    }
    return text;
}

bool holdsModifiers(Input::Kind kind) {
    return kind == Input::Kind::LeftClick || kind == Input::Kind::RightClick ||
           kind == Input::Kind::Drag || kind == Input::Kind::Key;
}

bool isModifierKey(Input::Kind kind) {
    return kind == Input::Kind::ModifierDown || kind == Input::Kind::ModifierUp;
}

bool isKeyboard(Input::Kind kind) {
    return kind == Input::Kind::Key || kind == Input::Kind::Type || isModifierKey(kind);
}

// Refuses the keys that belong to another kind of input.
void refuseOtherKeys(const JsonObjectRef &object, Input::Kind kind) {
    const auto refuse = [&](QStringView key, bool belongs, const QString &reason) {
        if (!belongs && object.contains(key)) {
            object.required(key).fail(reason);
        }
    };
    refuse(u"modifiers", holdsModifiers(kind),
           u"Only a click, a drag or a key press holds modifier keys."_s);
    for (const QStringView end : {u"toX", u"toY"}) {
        refuse(end, kind == Input::Kind::Drag, u"Only a drag has an end point."_s);
    }
    refuse(u"text", kind == Input::Kind::Type, u"Only typing has a text."_s);
    for (const QStringView key : {u"direction", u"amount"}) {
        refuse(key, kind == Input::Kind::Scroll, u"Only a scroll has a direction and an amount."_s);
    }
    refuse(u"modifier", isModifierKey(kind),
           u"Only \"modifierDown\" and \"modifierUp\" name a \"modifier\"."_s);
    if (isKeyboard(kind) && (object.contains(u"x") || object.contains(u"y"))) {
        object.fail(u"A key press has no location."_s);
    }
    refuse(u"keyCode", isKeyboard(kind), u"Only a key press has a key code."_s);
    refuse(u"keyCode", kind != Input::Kind::Type, u"Typing names its text, not a key code."_s);
    refuse(u"keyCode", !isModifierKey(kind),
           u"A modifier key is named by \"modifier\", not by a key code."_s);
}

// Lines the wheel turns, positive towards the top of what is scrolled; one line down unless
// told.
double scrollFrom(const JsonObjectRef &object) {
    bool up = false;
    if (const auto direction = object.optional(u"direction")) {
        up = scenariojson::toEnum<bool>(*direction, {{u"up", true}, {u"down", false}});
    }
    double lines = 1.0;
    if (const auto amount = object.optional(u"amount")) {
        lines = double(amount->toInteger(1, maxScrollLines));
    }
    return up ? lines : -lines;
}

} // namespace

Input ScenarioInput::fromJson(const JsonObjectRef &object) {
    Input input;
    input.kind = scenariojson::toEnum<Input::Kind>(object.required(u"input"),
                                                   {{u"mouseMove", Input::Kind::MouseMove},
                                                    {u"leftClick", Input::Kind::LeftClick},
                                                    {u"rightClick", Input::Kind::RightClick},
                                                    {u"drag", Input::Kind::Drag},
                                                    {u"scroll", Input::Kind::Scroll},
                                                    {u"key", Input::Kind::Key},
                                                    {u"type", Input::Kind::Type},
                                                    {u"modifierDown", Input::Kind::ModifierDown},
                                                    {u"modifierUp", Input::Kind::ModifierUp}});
    refuseOtherKeys(object, input.kind);
    if (input.kind == Input::Kind::Type) {
        input.text = typedTextFrom(object.required(u"text"));
    } else if (input.kind == Input::Kind::Key) {
        input.keyCode = object.required(u"keyCode").toInt<quint16>();
    } else if (isModifierKey(input.kind)) {
        input.modifier = modifierFrom(object.required(u"modifier"));
    } else {
        input.location = {object.required<double>(u"x"), object.required<double>(u"y")};
        if (input.kind == Input::Kind::Drag) {
            input.to = {object.required<double>(u"toX"), object.required<double>(u"toY")};
        }
        if (input.kind == Input::Kind::Scroll) {
            input.scroll = scrollFrom(object);
        }
    }
    if (const auto modifiers = object.optional(u"modifiers")) {
        input.modifiers = modifiersFrom(modifiers->toArray());
    }
    return input;
}

} // namespace zorv
