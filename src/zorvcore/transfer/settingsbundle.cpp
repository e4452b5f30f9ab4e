#include "settingsbundle.h"

#include "encodeerror.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

SettingsBundle::SettingsBundle(std::optional<QDateTime> exported, Settings settings,
                               SectionLayout layout, ProfileSet profiles, TriggerSet triggers)
    : format(kFormatTag.toString()), exported(std::move(exported)), settings(std::move(settings)),
      layout(std::move(layout)), profiles(std::move(profiles)), triggers(std::move(triggers)) {}

namespace {

QJsonObject documentOf(const SettingsBundle &bundle) {
    QJsonObject object{
        {u"format"_s, bundle.format},
        {u"settings"_s, bundle.settings.toJson(DateForm::Iso8601)},
        {u"layout"_s, bundle.layout.toJson()},
        {u"profiles"_s, bundle.profiles.toJson()},
        {u"triggers"_s, bundle.triggers.toJson()},
    };
    if (bundle.exported) {
        object.insert(u"exported"_s, dateJson(*bundle.exported, DateForm::Iso8601));
    }
    return object;
}

} // namespace

QByteArray SettingsBundle::encoded() const {
    const QJsonObject object = documentOf(*this);
    // Whatever is written here must import again: past the limit in the pretty form, the same
    // document without its white space; past it even then, nothing. White space only lengthens a
    // document, so the compact form, made first, tells when neither fits without making the
    // longer one.
    QByteArray compact = EncodeError::write(object, JsonFormat::compact());
    if (compact.size() > kMaxDocumentBytes) {
        throw EncodeError(EncodeError::Reason::TooLarge);
    }
    QByteArray pretty = EncodeError::write(object, JsonFormat::pretty());
    return pretty.size() <= kMaxDocumentBytes ? pretty : compact;
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
    // encoded() falls back to the compact form, which white space only lengthens: the setup can
    // be written within the limit exactly when that form fits, so only that form is made here.
    if (EncodeError::write(documentOf(bundle), JsonFormat::compact()).size() > kMaxDocumentBytes) {
        throw ImportError(ImportError::Reason::tooLarge);
    }
    return bundle;
}

} // namespace zorv
