#include "scenariojson.h"

#include "jsonpath.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv::scenariojson {

void checkKeys(const JsonObjectRef &object, const QStringList &known) {
    for (const QString &key : object.keys()) {
        if (!known.contains(key)) {
            JsonValueRef(object.raw().value(key), jsonKeyPath(object.path(), key))
                .fail(u"Unknown key; expected one of: "_s + known.join(u", "_s) + u'.');
        }
    }
}

QColor toColor(const JsonValueRef &value) {
    const QString text = value.toString();
    static const QRegularExpression pattern(u"^#[0-9A-Fa-f]{6}$"_s);
    if (!pattern.match(text).hasMatch()) {
        value.fail(u"Expected a colour written as \"#rrggbb\"."_s);
    }
    return QColor::fromString(text);
}

QRectF toRect(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    checkKeys(object, {u"x"_s, u"y"_s, u"width"_s, u"height"_s});
    const double x = object.required<double>(u"x");
    const double y = object.required<double>(u"y");
    const double width = toNumberAtLeast(object.required(u"width"), 1.0);
    const double height = toNumberAtLeast(object.required(u"height"), 1.0);
    return {x, y, width, height};
}

double toNumberAtLeast(const JsonValueRef &value, double min) {
    const double number = value.toDouble();
    if (number < min) {
        value.fail(u"Expected a number of at least %1."_s.arg(min));
    }
    return number;
}

} // namespace zorv::scenariojson
