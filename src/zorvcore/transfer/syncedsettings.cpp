#include "syncedsettings.h"

#include "settings/jsonarray.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

template <typename T> void readIfPresent(const JsonObjectRef &object, QStringView key, T &field) {
    if (const auto value = object.optional(key)) {
        field = value->as<T>();
    }
}

template <typename T>
void readIfPresent(const JsonObjectRef &object, QStringView key, std::optional<T> &field) {
    if (const auto value = object.optional(key)) {
        field = value->as<T>();
    }
}

template <typename T>
void readIfPresent(const JsonObjectRef &object, QStringView key, QList<T> &field) {
    if (const auto value = object.optional(key)) {
        field = value->toArray().map<T>();
    }
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

QJsonValue SyncedSettings::toJson() const {
    QJsonObject object{
        {u"autoRehideSeconds"_s, autoRehideSeconds},
        {u"revealOnHover"_s, revealOnHover},
        {u"revealOnScroll"_s, revealOnScroll},
        {u"liveLayout"_s, liveLayout},
        {u"appearance"_s, appearance.toJson()},
        {u"pixelPerfectIconsEnabled"_s, pixelPerfectIconsEnabled},
        {u"secondaryBarEnabled"_s, secondaryBarEnabled},
        {u"itemAliases"_s, jsonArray(itemAliases)},
        {u"itemHotkeys"_s, jsonArray(itemHotkeys)},
        {u"hideZorvIcon"_s, hideZorvIcon},
        {u"iconClickOpensMenu"_s, iconClickOpensMenu},
    };
    if (iconSpacing) {
        object.insert(u"iconSpacing"_s, *iconSpacing);
    }
    if (revealShortcut) {
        object.insert(u"revealShortcut"_s, revealShortcut->toJson());
    }
    if (searchShortcut) {
        object.insert(u"searchShortcut"_s, searchShortcut->toJson());
    }
    return object;
}

SyncedSettings SyncedSettings::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    SyncedSettings synced{Settings()};
    readIfPresent(object, u"autoRehideSeconds", synced.autoRehideSeconds);
    readIfPresent(object, u"revealOnHover", synced.revealOnHover);
    readIfPresent(object, u"revealOnScroll", synced.revealOnScroll);
    readIfPresent(object, u"liveLayout", synced.liveLayout);
    readIfPresent(object, u"appearance", synced.appearance);
    readIfPresent(object, u"pixelPerfectIconsEnabled", synced.pixelPerfectIconsEnabled);
    readIfPresent(object, u"iconSpacing", synced.iconSpacing);
    readIfPresent(object, u"revealShortcut", synced.revealShortcut);
    readIfPresent(object, u"searchShortcut", synced.searchShortcut);
    readIfPresent(object, u"secondaryBarEnabled", synced.secondaryBarEnabled);
    readIfPresent(object, u"itemAliases", synced.itemAliases);
    readIfPresent(object, u"itemHotkeys", synced.itemHotkeys);
    readIfPresent(object, u"hideZorvIcon", synced.hideZorvIcon);
    readIfPresent(object, u"iconClickOpensMenu", synced.iconClickOpensMenu);
    return synced;
}

} // namespace zorv
