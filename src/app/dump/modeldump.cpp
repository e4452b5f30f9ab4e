#include "modeldump.h"

#include "appmodel.h"

using namespace Qt::StringLiterals;

namespace zorv {

QJsonObject ModelDump::toJson(AppModel &model) {
    const std::optional<Profile> active = model.profiles().active();
    const std::optional<QDateTime> saved = model.lastSavedAt();
    return {
        {u"activeProfile"_s, active ? QJsonValue(active->name) : QJsonValue(QJsonValue::Null)},
        {u"lastSavedAt"_s,
         saved ? QJsonValue(saved->toUTC().toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null)},
        {u"layout"_s, model.layoutStore().value().toJson()},
    };
}

} // namespace zorv
