#include "itemhotkey.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

QJsonValue ItemHotkey::toJson() const {
    return QJsonObject{{u"key"_s, key}, {u"shortcut"_s, shortcut.toJson()}};
}

ItemHotkey ItemHotkey::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return ItemHotkey{object.required(u"key").toString(),
                      object.required<KeyShortcut>(u"shortcut")};
}

} // namespace zorv
