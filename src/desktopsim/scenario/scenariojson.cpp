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
    // Far beyond any real arrangement, and small enough that every size in pixels drawn from a
    // screen fits an int.
    constexpr double maximumCoordinate = 100000.0;
    constexpr double maximumSide = 16384.0;
    const JsonObjectRef object = value.toObject();
    checkKeys(object, {u"x"_s, u"y"_s, u"width"_s, u"height"_s});
    const double x = toNumberBetween(object.required(u"x"), -maximumCoordinate, maximumCoordinate);
    const double y = toNumberBetween(object.required(u"y"), -maximumCoordinate, maximumCoordinate);
    const double width = toNumberBetween(object.required(u"width"), 1.0, maximumSide);
    const double height = toNumberBetween(object.required(u"height"), 1.0, maximumSide);
    return {x, y, width, height};
}

double toNumberAtLeast(const JsonValueRef &value, double min) {
    const double number = value.toDouble();
    if (number < min) {
        value.fail(u"Expected a number of at least %1."_s.arg(min));
    }
    return number;
}

double toNumberBetween(const JsonValueRef &value, double min, double max) {
    const double number = value.toDouble();
    if (number < min || number > max) {
        value.fail(u"Expected a number from %1 to %2."_s.arg(min).arg(max));
    }
    return number;
}

DisplayId toDisplayId(const JsonValueRef &value) {
    const auto id = value.toInt<DisplayId>();
    if (id == 0) {
        value.fail(u"Display ids start at 1."_s);
    }
    return id;
}

DragAcceptance toDragAcceptance(const JsonValueRef &value) {
    return toEnum<DragAcceptance>(value, {{u"always", DragAcceptance::Always},
                                          {u"slowGestureOnly", DragAcceptance::SlowGestureOnly},
                                          {u"never", DragAcceptance::Never}});
}

QVariant toPreferenceValue(const JsonValueRef &value) {
    if (value.raw().isDouble()) {
        return value.toDouble();
    }
    if (value.raw().isString()) {
        return value.toString();
    }
    if (value.raw().isBool()) {
        return value.toBool();
    }
    value.fail(u"Expected a number, a string or a bool."_s);
}

RememberedPositions toPositions(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    RememberedPositions positions;
    for (const QString &owner : object.keys()) {
        const JsonObjectRef names = object.required(owner).toObject();
        for (const QString &name : names.keys()) {
            positions[owner].insert(name, toNumberAtLeast(names.required(name), 0.0));
        }
    }
    return positions;
}

} // namespace zorv::scenariojson
