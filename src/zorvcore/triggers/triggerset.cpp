#include "triggerset.h"

#include "settings/jsonarray.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Levels of arrays and objects in the value; the reader has bounded it already.
int nestingDepth(const QJsonValue &value) {
    int deepest = 0;
    if (value.isArray()) {
        for (const QJsonValue &element : value.toArray()) {
            deepest = std::max(deepest, nestingDepth(element));
        }
    } else if (value.isObject()) {
        for (const QJsonValue &member : value.toObject()) {
            deepest = std::max(deepest, nestingDepth(member));
        }
    } else {
        return 0;
    }
    return deepest + 1;
}

} // namespace

TriggerSet TriggerSet::fromJson(const JsonValueRef &value) {
    if (nestingDepth(value.raw()) > kMaxNesting) {
        throw DecodeError(value.path(),
                          u"The rules are nested deeper than %1 levels."_s.arg(kMaxNesting));
    }
    return TriggerSet{value.toObject().required(u"rules").toArray().map<TriggerRule>()};
}

QJsonValue TriggerSet::toJson() const {
    return QJsonObject{{u"rules"_s, jsonArray(rules)}};
}

} // namespace zorv
