#include "settings.h"

#include "jsonarray.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Only the narrow white space decides whether an alias is blank: a line break is kept as content.
bool isBlankAlias(const QString &alias) {
    return std::all_of(alias.cbegin(), alias.cend(), [](QChar c) {
        return c == u'\t' || c.category() == QChar::Separator_Space;
    });
}

} // namespace

std::optional<QString> Settings::alias(const QString &key) const {
    for (const ItemAlias &entry : itemAliases) {
        if (entry.key == key) {
            return entry.alias;
        }
    }
    return std::nullopt;
}

void Settings::setAlias(const std::optional<QString> &alias, const QString &key) {
    itemAliases.removeIf([&key](const ItemAlias &entry) { return entry.key == key; });
    if (alias && !isBlankAlias(*alias)) {
        itemAliases.append(ItemAlias{key, *alias});
    }
}

std::optional<KeyShortcut> Settings::itemHotkey(const QString &key) const {
    for (const ItemHotkey &entry : itemHotkeys) {
        if (entry.key == key) {
            return entry.shortcut;
        }
    }
    return std::nullopt;
}

void Settings::setItemHotkey(const std::optional<KeyShortcut> &shortcut, const QString &key) {
    itemHotkeys.removeIf([&key](const ItemHotkey &entry) { return entry.key == key; });
    if (shortcut) {
        itemHotkeys.append(ItemHotkey{key, *shortcut});
    }
}

QJsonValue Settings::toJson(DateForm dateForm) const {
    QJsonObject object{
        {u"version"_s, version},
        {u"autoRehideSeconds"_s, autoRehideSeconds},
        {u"revealOnHover"_s, revealOnHover},
        {u"revealOnScroll"_s, revealOnScroll},
        {u"liveLayout"_s, liveLayout},
        {u"appearance"_s, appearance.toJson()},
        {u"pixelPerfectIconsEnabled"_s, pixelPerfectIconsEnabled},
        {u"launchAtLogin"_s, launchAtLogin},
        {u"secondaryBarEnabled"_s, secondaryBarEnabled},
        {u"itemAliases"_s, jsonArray(itemAliases)},
        {u"itemHotkeys"_s, jsonArray(itemHotkeys)},
        {u"hideZorvIcon"_s, hideZorvIcon},
        {u"showInDockAndSwitcher"_s, showInDockAndSwitcher},
        {u"iconClickOpensMenu"_s, iconClickOpensMenu},
        {u"onboardingCompleted"_s, onboardingCompleted},
        {u"moveToApplicationsDeclined"_s, moveToApplicationsDeclined},
        {u"seenPaneGuides"_s, QJsonArray::fromStringList(seenPaneGuides)},
        {u"cloudSyncEnabled"_s, cloudSyncEnabled},
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
    if (spacingAppliedAtLogin) {
        object.insert(u"spacingAppliedAtLogin"_s, *spacingAppliedAtLogin);
    }
    if (spacingBaselineSession) {
        object.insert(u"spacingBaselineSession"_s, dateJson(*spacingBaselineSession, dateForm));
    }
    return object;
}

Settings Settings::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    Settings settings;
    settings.version = object.required(u"version").toInteger();
    settings.autoRehideSeconds = object.required(u"autoRehideSeconds").toDouble();
    settings.revealOnHover = object.required(u"revealOnHover").toBool();
    settings.revealOnScroll = object.required(u"revealOnScroll").toBool();
    settings.liveLayout = object.required(u"liveLayout").toBool();
    settings.appearance = object.required<Appearance>(u"appearance");
    settings.pixelPerfectIconsEnabled = object.required(u"pixelPerfectIconsEnabled").toBool();
    settings.launchAtLogin = object.required(u"launchAtLogin").toBool();
    settings.iconSpacing = object.optional<qint64>(u"iconSpacing");
    settings.revealShortcut = object.optional<KeyShortcut>(u"revealShortcut");
    settings.searchShortcut = object.optional<KeyShortcut>(u"searchShortcut");
    settings.secondaryBarEnabled = object.required(u"secondaryBarEnabled").toBool();
    settings.itemAliases = object.required(u"itemAliases").toArray().map<ItemAlias>();
    settings.itemHotkeys = object.required(u"itemHotkeys").toArray().map<ItemHotkey>();
    settings.hideZorvIcon = object.required(u"hideZorvIcon").toBool();
    settings.showInDockAndSwitcher = object.required(u"showInDockAndSwitcher").toBool();
    settings.iconClickOpensMenu = object.required(u"iconClickOpensMenu").toBool();
    settings.onboardingCompleted = object.required(u"onboardingCompleted").toBool();
    settings.moveToApplicationsDeclined = object.required(u"moveToApplicationsDeclined").toBool();
    settings.seenPaneGuides = object.required(u"seenPaneGuides").toArray().map<QString>();
    settings.spacingAppliedAtLogin = object.optional<qint64>(u"spacingAppliedAtLogin");
    settings.spacingBaselineSession = object.optional<QDateTime>(u"spacingBaselineSession");
    settings.cloudSyncEnabled = object.required(u"cloudSyncEnabled").toBool();
    return settings;
}

} // namespace zorv
