#pragma once

#include "appearance.h"
#include "itemalias.h"
#include "itemhotkey.h"
#include "keyshortcut.h"

#include <QDateTime>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// The user's preferences, version 1. A plain value owned by the app model, which pushes the
// engine's share into the engine; stored in "settings.json", carried whole in the export file and
// in part in the synced bundle.
struct Settings {
    qint64 version = 1;
    // Delay after which revealed items are tucked away again.
    double autoRehideSeconds = 10.0;
    bool revealOnHover = false;
    bool revealOnScroll = false;
    // The engine keeps the bar in the wanted order.
    bool liveLayout = true;
    Appearance appearance;
    // Item pictures are taken by screen capture.
    bool pixelPerfectIconsEnabled = false;
    bool launchAtLogin = false;
    // The status-item spacing the user chose, in points; nullopt keeps the system default.
    std::optional<qint64> iconSpacing;
    std::optional<KeyShortcut> revealShortcut;
    std::optional<KeyShortcut> searchShortcut;
    // A click on the app's icon shows the secondary bar instead of revealing in place.
    bool secondaryBarEnabled = false;
    QList<ItemAlias> itemAliases;
    QList<ItemHotkey> itemHotkeys;
    bool hideZorvIcon = false;
    bool showInDockAndSwitcher = true;
    // A plain click on the app's icon opens its menu (see IconClick).
    bool iconClickOpensMenu = true;
    bool onboardingCompleted = false;
    bool moveToApplicationsDeclined = false;
    // Settings panes whose first-visit guide has been shown.
    QStringList seenPaneGuides;
    // The spacing in force when the login session in spacingBaselineSession began.
    std::optional<qint64> spacingAppliedAtLogin;
    std::optional<QDateTime> spacingBaselineSession;
    bool cloudSyncEnabled = false;

    // The alias of the first entry for `key`, if any.
    [[nodiscard]] std::optional<QString> alias(const QString &key) const;
    // Replaces the item's alias, moving it to the end of the list. A nullopt alias, or one of
    // nothing but spaces and tabs, clears it; otherwise it is kept exactly as typed.
    void setAlias(const std::optional<QString> &alias, const QString &key);
    [[nodiscard]] std::optional<KeyShortcut> itemHotkey(const QString &key) const;
    // Replaces the item's hot key, moving it to the end of the list; nullopt clears it.
    void setItemHotkey(const std::optional<KeyShortcut> &shortcut, const QString &key);

    // Optional fields are left out when absent; the date is written in `dateForm`.
    [[nodiscard]] QJsonValue toJson(DateForm dateForm) const;
    // Strict: every non-optional key is required. Older files are completed by the store, which
    // merges them over the defaults before decoding.
    [[nodiscard]] static Settings fromJson(const JsonValueRef &value);

    friend bool operator==(const Settings &, const Settings &) = default;
};

} // namespace zorv
