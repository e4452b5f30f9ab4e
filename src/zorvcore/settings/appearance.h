#pragma once

#include "jsonreader.h"

#include <QJsonValue>
#include <QString>

namespace zorv {

// The menu-bar look: the tint laid over the bar and the frame of the overlay. Stored in the
// settings and, optionally, in each profile.
struct Appearance {
    bool tintEnabled = false;
    // "#" followed by six hexadecimal digits.
    QString tintHex = QStringLiteral("#000000");
    // Alpha of the tint, 0 (transparent) to 1 (opaque).
    double tintOpacity = 0;
    bool borderEnabled = false;
    bool shadowEnabled = false;
    // Corner radius of the overlay's shape, in points.
    double cornerRadius = 0;

    [[nodiscard]] QJsonValue toJson() const;
    // All six keys are required.
    [[nodiscard]] static Appearance fromJson(const JsonValueRef &value);

    friend bool operator==(const Appearance &, const Appearance &) = default;
};

} // namespace zorv
