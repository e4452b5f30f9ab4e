#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace zorv {

// The panes of the settings window, in rail order. Their keys (equal to the case names) are what
// travels elsewhere: the model's current and pending pane, the guides seen, the settings URL.
enum class SettingsPane {
    general,
    arrange,
    triggers,
    profiles,
    search,
    appearance,
    spacing,
    about
};

// Every pane in rail order; a pane's number is its 1-based position here.
[[nodiscard]] const QList<SettingsPane> &allSettingsPanes();
[[nodiscard]] QString paneKey(SettingsPane pane);
// The pane whose key is exactly `key` (case-sensitive); nullopt for any other text.
[[nodiscard]] std::optional<SettingsPane> settingsPane(QStringView key);
// The pane's name in the rail.
[[nodiscard]] QString paneTitle(SettingsPane pane);
// The symbol of the pane's rail icon.
[[nodiscard]] QString paneSymbol(SettingsPane pane);
// The line under the pane in the guide strip.
[[nodiscard]] QString paneSubtitle(SettingsPane pane);

} // namespace zorv
