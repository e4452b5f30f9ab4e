#include "appearance.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

QJsonValue Appearance::toJson() const {
    return QJsonObject{
        {u"tintEnabled"_s, tintEnabled},     {u"tintHex"_s, tintHex},
        {u"tintOpacity"_s, tintOpacity},     {u"borderEnabled"_s, borderEnabled},
        {u"shadowEnabled"_s, shadowEnabled}, {u"cornerRadius"_s, cornerRadius},
    };
}

Appearance Appearance::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    Appearance appearance;
    appearance.tintEnabled = object.required(u"tintEnabled").toBool();
    appearance.tintHex = object.required(u"tintHex").toString();
    appearance.tintOpacity = object.required(u"tintOpacity").toDouble();
    appearance.borderEnabled = object.required(u"borderEnabled").toBool();
    appearance.shadowEnabled = object.required(u"shadowEnabled").toBool();
    appearance.cornerRadius = object.required(u"cornerRadius").toDouble();
    return appearance;
}

} // namespace zorv
