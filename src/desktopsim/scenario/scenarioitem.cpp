#include "scenarioitem.h"

#include "scenariojson.h"
#include "statusbar.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

ItemGlyph glyphFromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object, {u"shape"_s, u"color"_s});
    ItemGlyph glyph;
    glyph.shape = scenariojson::toEnum<ItemGlyph::Shape>(object.required(u"shape"),
                                                         {{u"none", ItemGlyph::Shape::None},
                                                          {u"circle", ItemGlyph::Shape::Circle},
                                                          {u"square", ItemGlyph::Shape::Square},
                                                          {u"triangle", ItemGlyph::Shape::Triangle},
                                                          {u"diamond", ItemGlyph::Shape::Diamond},
                                                          {u"bars", ItemGlyph::Shape::Bars}});
    if (auto color = object.optional(u"color")) {
        glyph.color = scenariojson::toColor(*color);
    }
    return glyph;
}

} // namespace

double ScenarioItem::lengthFromJson(const JsonValueRef &value) {
    if (value.raw().isString()) {
        return scenariojson::toEnum<double>(value, {{u"square", StatusBar::squareLength},
                                                    {u"variable", StatusBar::variableLength}});
    }
    return scenariojson::toNumberAtLeast(value, 0.0);
}

ScenarioItem ScenarioItem::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(object,
                            {u"autosaveName"_s, u"title"_s, u"length"_s, u"glyph"_s, u"hidden"_s,
                             u"immovable"_s, u"identifier"_s, u"description"_s, u"clock"_s});
    ScenarioItem item;
    item.autosaveName = object.optional<QString>(u"autosaveName").value_or(QString());
    item.title = object.optional<QString>(u"title").value_or(QString());
    if (auto length = object.optional(u"length")) {
        item.length = lengthFromJson(*length);
    }
    if (auto glyph = object.optional(u"glyph")) {
        item.glyph = glyphFromJson(*glyph);
    }
    item.hidden = object.optional<bool>(u"hidden").value_or(false);
    item.immovable = object.optional<bool>(u"immovable").value_or(false);
    item.identifier = object.optional<QString>(u"identifier");
    item.description = object.optional<QString>(u"description");
    item.clock = object.optional<bool>(u"clock").value_or(false);
    return item;
}

} // namespace zorv
