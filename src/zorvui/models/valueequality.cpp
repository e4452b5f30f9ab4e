#include "models/valueequality.h"

#include <QJSValue>
#include <QVariantList>
#include <QVariantMap>

namespace zorv {

namespace {

enum class Kind { Nothing, Bool, Number, Text, List, Object, Other };

QVariant plain(const QVariant &value) {
    if (value.metaType() == QMetaType::fromType<QJSValue>()) {
        return value.value<QJSValue>().toVariant();
    }
    return value;
}

Kind kindOf(const QVariant &value) {
    if (!value.isValid() || value.isNull() ||
        value.metaType() == QMetaType::fromType<std::nullptr_t>()) {
        return Kind::Nothing;
    }
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return Kind::Bool;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Number;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QVariantList:
        return Kind::List;
    case QMetaType::QVariantMap:
        return Kind::Object;
    default:
        return Kind::Other;
    }
}

} // namespace

bool sameValue(const QVariant &a, const QVariant &b) {
    const QVariant left = plain(a);
    const QVariant right = plain(b);
    const Kind kind = kindOf(left);
    if (kind != kindOf(right)) {
        return false;
    }
    switch (kind) {
    case Kind::Nothing:
        return true;
    case Kind::Bool:
        return left.toBool() == right.toBool();
    case Kind::Number:
        return QVariant::compare(left, right) == QPartialOrdering::Equivalent;
    case Kind::Text:
        return left.toString() == right.toString();
    case Kind::List: {
        const QVariantList l = left.toList();
        const QVariantList r = right.toList();
        return l.size() == r.size() &&
               std::equal(l.cbegin(), l.cend(), r.cbegin(),
                          [](const QVariant &x, const QVariant &y) { return sameValue(x, y); });
    }
    case Kind::Object: {
        const QVariantMap l = left.toMap();
        const QVariantMap r = right.toMap();
        if (l.keys() != r.keys()) {
            return false;
        }
        for (auto it = l.cbegin(); it != l.cend(); ++it) {
            if (!sameValue(it.value(), r.value(it.key()))) {
                return false;
            }
        }
        return true;
    }
    case Kind::Other:
        return left.metaType() == right.metaType() && left == right;
    }
    return false;
}

} // namespace zorv
