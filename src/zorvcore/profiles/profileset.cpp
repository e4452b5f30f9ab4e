#include "profileset.h"

#include "settings/jsonarray.h"
#include "uuidtext.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

std::optional<Profile> ProfileSet::active() const {
    if (!activeID) {
        return std::nullopt;
    }
    for (const Profile &profile : profiles) {
        if (profile.id == *activeID) {
            return profile;
        }
    }
    return std::nullopt;
}

QJsonValue ProfileSet::toJson() const {
    QJsonObject object{{u"profiles"_s, jsonArray(profiles)}};
    if (activeID) {
        object.insert(u"activeID"_s, uuidText(*activeID));
    }
    return object;
}

ProfileSet ProfileSet::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    ProfileSet set;
    set.profiles = object.required(u"profiles").toArray().map<Profile>();
    if (const auto active = object.optional(u"activeID")) {
        set.activeID = active->toUuid();
    }
    return set;
}

} // namespace zorv
