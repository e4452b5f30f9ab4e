#pragma once

#include "globalpreferences.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace zorv {

// Reads and writes the system-wide status-item spacing: the two global preferences from which
// every application takes the gap between status items when it launches. Zorv always writes both
// with the same value, or removes both, so the bar never mixes an old padding with a new spacing.
// A change shows everywhere only after the user logs out and in again; needsLogout() tells
// whether the value written still waits for that. Main thread.
class SpacingController {
public:
    // The gap between status items, in points.
    inline static const QString spacingKey = QStringLiteral("NSStatusItemSpacing");
    // The selection padding of status items, in points.
    inline static const QString paddingKey = QStringLiteral("NSStatusItemSelectionPadding");
    // The spacing the system uses when neither key is set.
    static constexpr qint64 systemDefault = 16;

    explicit SpacingController(GlobalPreferences &preferences);

    // The integer part of the number stored under the key; nullopt when the key is missing or
    // holds anything but a number that fits.
    [[nodiscard]] std::optional<qint64> currentSpacing() const;
    [[nodiscard]] std::optional<qint64> currentPadding() const;
    // Stores the value under both keys, or removes both for nullopt, synchronising after each
    // key. Failures of the preferences domain are not reported: the user sees the spacing (or
    // not) after the next login either way.
    void setSpacing(std::optional<qint64> spacing);
    // Whether either key holds a number.
    [[nodiscard]] bool isOverridden() const;

    // Whether the spacing last written differs from the one in force since login; a missing
    // value differs from any present one.
    [[nodiscard]] static bool needsLogout(std::optional<qint64> written,
                                          std::optional<qint64> appliedAtLogin);

private:
    [[nodiscard]] std::optional<qint64> integerValue(const QString &key) const;

    GlobalPreferences &m_preferences;
};

} // namespace zorv
