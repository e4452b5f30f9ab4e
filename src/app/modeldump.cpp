#include "modeldump.h"

#include "appmodel/appmodel.h"

#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {

QJsonObject ModelDump::toJson(AppModel &model) {
    const std::optional<Profile> active = model.profiles().active();
    const std::optional<QDateTime> saved = model.lastSavedAt();
    return {
        {u"activeProfile"_s, active ? QJsonValue(active->name) : QJsonValue(QJsonValue::Null)},
        {u"lastSavedAt"_s, saved ? QJsonValue(saved->toTimeZone(QTimeZone::utc())
                                                   .toString(Qt::ISODateWithMs))
                                 : QJsonValue(QJsonValue::Null)},
        {u"layout"_s, model.layoutStore().value().toJson()},
    };
}

} // namespace zorv
