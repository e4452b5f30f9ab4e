#pragma once

#include "updater.h"

#include <QString>

#include <functional>

namespace zorv {

// What one of the update framework's windows shows: the update an interactive check found (its
// headline, both versions, its release notes, and the answers Skip This Version, Remind Me Later
// and Install Update), or the alert that ends an interactive check without one (up to date, or
// the feed's error, answered with OK). Versions are written the way the updater's delegate
// writes them; what comes from the feed is plain text, each piece bounded.
struct UpdaterWindow {
    enum class Kind { UpdateFound, UpToDate, Error };

    // Writes a version as the windows show it.
    using VersionDisplay = std::function<QString(const QString &)>;

    // The title every one of the framework's windows carries.
    static inline const QString title = QStringLiteral("Software Update");
    // The longest version or feed title a window shows whole.
    static constexpr qsizetype maximumVersionLength = 40;
    static constexpr qsizetype maximumTitleLength = 120;

    Kind kind = Kind::UpToDate;
    QString headline;
    QString message;
    // The update's title from the feed; empty for the alerts and a feed item without one.
    QString notesTitle;
    // The update's release notes as plain text; empty when the feed carries none.
    QString releaseNotes;

    // `appName` is the bundle's name, `current` its display version.
    [[nodiscard]] static UpdaterWindow updateFound(const AppcastItem &item, const QString &appName,
                                                   const QString &current,
                                                   const VersionDisplay &display);
    [[nodiscard]] static UpdaterWindow upToDate(const QString &appName, const QString &current,
                                                const VersionDisplay &display);
    [[nodiscard]] static UpdaterWindow error(const UpdaterError &error);

    friend bool operator==(const UpdaterWindow &, const UpdaterWindow &) = default;
};

} // namespace zorv
