#include "syncedbundle.h"

#include "encodeerror.h"

#include <QJsonObject>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

SyncedBundle::SyncedBundle(QDateTime updatedAt, QString deviceID, QString deviceName,
                           SyncedSettings settings, SectionLayout layout, ProfileSet profiles,
                           TriggerSet triggers, SyncedIdentifiers deleted,
                           std::optional<SyncedStamps> stamps)
    : format(kFormatTag.toString()), updatedAt(std::move(updatedAt)), deviceID(std::move(deviceID)),
      deviceName(std::move(deviceName)), settings(std::move(settings)), layout(std::move(layout)),
      profiles(std::move(profiles)), triggers(std::move(triggers)), deleted(std::move(deleted)),
      stamps(stamps.value_or(SyncedStamps{})
                 .fittedTo(this->profiles, this->triggers, this->updatedAt)) {}

namespace {

// `{"settings":...}` for the settings, kept for the settings written last: with many aliases,
// writing them costs far more than the rest of a bundle, and most pushes carry the same ones.
QByteArray settingsMember(const SyncedSettings &settings) {
    thread_local std::optional<std::pair<SyncedSettings, QByteArray>> last;
    if (!last || !(last->first == settings)) {
        last.reset();
        const QJsonObject member{{u"settings"_s, settings.toJson()}};
        last.emplace(settings, EncodeError::write(member, JsonFormat::compact()));
    }
    return last->second;
}

} // namespace

QByteArray SyncedBundle::encoded() const {
    // The keys before "settings" in sorted order, then those after it: the document is the one
    // object with all of them, spliced from the three parts.
    QJsonObject before{
        {u"deviceID"_s, deviceID},      {u"deviceName"_s, deviceName},      {u"format"_s, format},
        {u"layout"_s, layout.toJson()}, {u"profiles"_s, profiles.toJson()},
    };
    if (!deleted.isEmpty()) {
        before.insert(u"deleted"_s, deleted.toJson());
    }
    QJsonObject after{
        {u"triggers"_s, triggers.toJson()},
        {u"updatedAt"_s, dateJson(updatedAt, DateForm::Iso8601)},
    };
    if (!stamps.allAt(updatedAt)) {
        after.insert(u"stamps"_s, stamps.toJson());
    }
    const QByteArray head = EncodeError::write(before, JsonFormat::compact());
    const QByteArray member = settingsMember(settings);
    const QByteArray tail = EncodeError::write(after, JsonFormat::compact());
    return head.chopped(1) + ',' + member.sliced(1, member.size() - 2) + ',' + tail.sliced(1);
}

SyncedBundle SyncedBundle::decode(const QByteArray &data) {
    const JsonObjectRef object =
        JsonValueRef(parseJson(data), u"$"_s, DateForm::Iso8601).toObject();
    // Read in key order, so that of several faults the first key's is reported.
    QString format = object.required(u"format").toString();
    QDateTime updatedAt = object.required(u"updatedAt").toDate();
    QString deviceID = object.required(u"deviceID").toString();
    QString deviceName = object.required(u"deviceName").toString();
    auto settings = object.required<SyncedSettings>(u"settings");
    auto layout = object.required<SectionLayout>(u"layout");
    auto profiles = object.required<ProfileSet>(u"profiles");
    auto triggers = object.required<TriggerSet>(u"triggers");
    auto deleted = object.optional<SyncedIdentifiers>(u"deleted");
    auto stamps = object.optional<SyncedStamps>(u"stamps");
    SyncedBundle bundle(std::move(updatedAt), std::move(deviceID), std::move(deviceName),
                        std::move(settings), std::move(layout), std::move(profiles),
                        std::move(triggers), deleted.value_or(SyncedIdentifiers{}),
                        std::move(stamps));
    bundle.format = std::move(format);
    return bundle;
}

bool SyncedBundle::contentEquals(const SyncedBundle &other) const {
    return settings == other.settings && layout == other.layout && profiles == other.profiles &&
           triggers == other.triggers && deleted == other.deleted;
}

} // namespace zorv
