#include "profile.h"

#include "uuidtext.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

QJsonValue Profile::toJson() const {
    QJsonObject object{
        {u"id"_s, uuidText(id)},
        {u"name"_s, name},
        {u"layout"_s, layout.toJson()},
    };
    if (appearance) {
        object.insert(u"appearance"_s, appearance->toJson());
    }
    if (shortcut) {
        object.insert(u"shortcut"_s, shortcut->toJson());
    }
    return object;
}

Profile Profile::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    Profile profile;
    profile.id = object.required(u"id").toUuid();
    profile.name = object.required(u"name").toString();
    profile.layout = object.required<SectionLayout>(u"layout");
    profile.appearance = object.optional<Appearance>(u"appearance");
    profile.shortcut = object.optional<KeyShortcut>(u"shortcut");
    return profile;
}

} // namespace zorv
