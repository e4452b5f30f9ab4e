#include "settingsbundle.h"

#include "encodeerror.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

SettingsBundle::SettingsBundle(std::optional<QDateTime> exported, Settings settings,
                               SectionLayout layout, ProfileSet profiles, TriggerSet triggers)
    : format(kFormatTag.toString()), exported(std::move(exported)), settings(std::move(settings)),
      layout(std::move(layout)), profiles(std::move(profiles)), triggers(std::move(triggers)) {}

QByteArray SettingsBundle::encoded() const {
    QJsonObject object{
        {u"format"_s, format},
        {u"settings"_s, settings.toJson(DateForm::Iso8601)},
        {u"layout"_s, layout.toJson()},
        {u"profiles"_s, profiles.toJson()},
        {u"triggers"_s, triggers.toJson()},
    };
    if (exported) {
        object.insert(u"exported"_s, dateJson(*exported, DateForm::Iso8601));
    }
    // Whatever is written here must import again: past the limit in the pretty form, the same
    // document without its white space; past it even then, nothing.
    QByteArray bytes = EncodeError::write(object, JsonFormat::pretty());
    if (bytes.size() > kMaxDocumentBytes) {
        bytes = EncodeError::write(object, JsonFormat::compact());
    }
    if (bytes.size() > kMaxDocumentBytes) {
        throw EncodeError(EncodeError::Reason::TooLarge);
    }
    return bytes;
}

SettingsBundle SettingsBundle::decode(const QByteArray &data) {
    if (data.size() > kMaxDocumentBytes) {
        throw ImportError(ImportError::Reason::tooLarge);
    }
    const JsonObjectRef object =
        JsonValueRef(parseJson(data), u"$"_s, DateForm::Iso8601).toObject();
    const QString format = object.required(u"format").toString();
    auto exported = object.optional<QDateTime>(u"exported");
    // Read in key order, so that of several faults the first key's is reported.
    auto settings = object.required<Settings>(u"settings");
    auto layout = object.required<SectionLayout>(u"layout");
    auto profiles = object.required<ProfileSet>(u"profiles");
    auto triggers = object.required<TriggerSet>(u"triggers");
    if (format != kFormatTag) {
        throw ImportError(ImportError::Reason::unsupportedFormat);
    }
    SettingsBundle bundle(exported, std::move(settings), std::move(layout), std::move(profiles),
                          std::move(triggers));
    // The file holds what it lacks in the short form (a profile's layout names only the sections
    // it fills, for one), so a file under the limit can hold a setup that no longer fits it. Taken
    // in, such a setup could neither be exported nor backed up, and every later import, which
    // backs up the setup it replaces, would fail.
    try {
        (void)bundle.encoded();
    } catch (const EncodeError &error) {
        if (error.reason() == EncodeError::Reason::TooLarge) {
            throw ImportError(ImportError::Reason::tooLarge);
        }
        throw;
    }
    return bundle;
}

} // namespace zorv
