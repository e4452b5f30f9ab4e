#include "syncedsettings.h"

#include <QJsonObject>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The keys of the synced fields in Settings' JSON form.
const QStringList &syncedKeys() {
    static const QStringList keys{
        u"autoRehideSeconds"_s,   u"revealOnHover"_s,     u"revealOnScroll"_s,
        u"liveLayout"_s,          u"appearance"_s,        u"pixelPerfectIconsEnabled"_s,
        u"iconSpacing"_s,         u"revealShortcut"_s,    u"searchShortcut"_s,
        u"secondaryBarEnabled"_s, u"itemAliases"_s,       u"itemHotkeys"_s,
        u"hideZorvIcon"_s,        u"iconClickOpensMenu"_s};
    return keys;
}

} // namespace

SyncedSettings::SyncedSettings(const Settings &settings)
    : autoRehideSeconds(settings.autoRehideSeconds), revealOnHover(settings.revealOnHover),
      revealOnScroll(settings.revealOnScroll), liveLayout(settings.liveLayout),
      appearance(settings.appearance), pixelPerfectIconsEnabled(settings.pixelPerfectIconsEnabled),
      iconSpacing(settings.iconSpacing), revealShortcut(settings.revealShortcut),
      searchShortcut(settings.searchShortcut), secondaryBarEnabled(settings.secondaryBarEnabled),
      itemAliases(settings.itemAliases), itemHotkeys(settings.itemHotkeys),
      hideZorvIcon(settings.hideZorvIcon), iconClickOpensMenu(settings.iconClickOpensMenu) {}

Settings SyncedSettings::applied(Settings settings) const {
    settings.autoRehideSeconds = autoRehideSeconds;
    settings.revealOnHover = revealOnHover;
    settings.revealOnScroll = revealOnScroll;
    settings.liveLayout = liveLayout;
    settings.appearance = appearance;
    settings.pixelPerfectIconsEnabled = pixelPerfectIconsEnabled;
    settings.iconSpacing = iconSpacing;
    settings.revealShortcut = revealShortcut;
    settings.searchShortcut = searchShortcut;
    settings.secondaryBarEnabled = secondaryBarEnabled;
    settings.itemAliases = itemAliases;
    settings.itemHotkeys = itemHotkeys;
    settings.hideZorvIcon = hideZorvIcon;
    settings.iconClickOpensMenu = iconClickOpensMenu;
    return settings;
}

// Both directions go through Settings' own JSON form, so a synced field is written and read
// exactly as the settings file has it.
QJsonValue SyncedSettings::toJson() const {
    const QJsonObject all = applied(Settings()).toJson(DateForm::Iso8601).toObject();
    QJsonObject object;
    for (const QString &key : syncedKeys()) {
        if (const QJsonValue value = all.value(key); !value.isUndefined()) {
            object.insert(key, value);
        }
    }
    return object;
}

SyncedSettings SyncedSettings::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    QJsonObject merged = Settings().toJson(value.dateForm()).toObject();
    for (const QString &key : syncedKeys()) {
        if (const auto entry = object.optional(key)) {
            merged.insert(key, entry->raw());
        }
    }
    return SyncedSettings(JsonValueRef(merged, value.path(), value.dateForm()).as<Settings>());
}

} // namespace zorv
