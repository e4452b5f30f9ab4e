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

// Aliases and hot keys are lists of {key, value} entries addressed by the item key; a lookup takes
// the first entry, a change replaces every entry of the key with one at the end.
template <typename Entry, typename Value>
std::optional<Value> entryValue(const QList<Entry> &entries, const QString &key,
                                Value Entry::*value) {
    const auto found = std::find_if(entries.cbegin(), entries.cend(),
                                    [&key](const Entry &entry) { return entry.key == key; });
    return found != entries.cend() ? std::optional<Value>((*found).*value) : std::nullopt;
}

template <typename Entry, typename Value>
void replaceEntry(QList<Entry> &entries, const QString &key, const std::optional<Value> &value) {
    entries.removeIf([&key](const Entry &entry) { return entry.key == key; });
    if (value) {
        entries.append(Entry{key, *value});
    }
}

} // namespace

std::optional<QString> Settings::alias(const QString &key) const {
    return entryValue(itemAliases, key, &ItemAlias::alias);
}

void Settings::setAlias(const std::optional<QString> &alias, const QString &key) {
    replaceEntry(itemAliases, key,
                 alias && !isBlankAlias(*alias) ? alias : std::optional<QString>());
}

std::optional<KeyShortcut> Settings::itemHotkey(const QString &key) const {
    return entryValue(itemHotkeys, key, &ItemHotkey::shortcut);
}

void Settings::setItemHotkey(const std::optional<KeyShortcut> &shortcut, const QString &key) {
    replaceEntry(itemHotkeys, key, shortcut);
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
