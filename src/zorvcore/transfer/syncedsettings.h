#pragma once

#include "settings/settings.h"

#include <QJsonValue>
#include <QList>

#include <optional>

namespace zorv {

// The share of Settings that follows the user from Mac to Mac. Per-machine preferences (login
// item, Dock presence, onboarding, spacing baseline, the sync switch itself) stay behind.
struct SyncedSettings {
    // Copies the synced fields of `settings`.
    explicit SyncedSettings(const Settings &settings);

    double autoRehideSeconds;
    bool revealOnHover;
    bool revealOnScroll;
    bool liveLayout;
    Appearance appearance;
    bool pixelPerfectIconsEnabled;
    std::optional<qint64> iconSpacing;
    std::optional<KeyShortcut> revealShortcut;
    std::optional<KeyShortcut> searchShortcut;
    bool secondaryBarEnabled;
    QList<ItemAlias> itemAliases;
    QList<ItemHotkey> itemHotkeys;
    bool hideZorvIcon;
    bool iconClickOpensMenu;

    // `settings` with the synced fields replaced by this value's.
    [[nodiscard]] Settings applied(Settings settings) const;

    [[nodiscard]] QJsonValue toJson() const;
    // Tolerant of another version's record: a missing or null key keeps the Settings() default.
    // A present key of the wrong type still fails.
    [[nodiscard]] static SyncedSettings fromJson(const JsonValueRef &value);

    friend bool operator==(const SyncedSettings &, const SyncedSettings &) = default;
};

} // namespace zorv
