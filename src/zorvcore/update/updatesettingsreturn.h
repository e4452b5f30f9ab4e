#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace zorv {

// Carries the open settings pane across the relaunch that installing an update causes: the shell
// records the pane just before the update installs and reopens it at the next launch while the
// marker file is fresh. Every file error is ignored; a bad or stale marker yields nothing.
class UpdateSettingsReturn {
public:
    UpdateSettingsReturn() = delete;

    // How old a marker may be and still be honoured.
    static constexpr double maximumAgeSeconds = 600;

    // Replaces the marker at `path` with one for `pane`, or only removes it when `pane` is absent
    // or names no settings pane.
    static void prepare(const std::optional<QString> &pane, const QString &path,
                        const QDateTime &now);
    // The pane of a marker written at most ten minutes before `now`. Always deletes the file, so
    // a marker is honoured at most once.
    [[nodiscard]] static std::optional<QString> consume(const QString &path, const QDateTime &now);
};

} // namespace zorv
