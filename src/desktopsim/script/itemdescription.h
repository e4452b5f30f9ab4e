#pragma once

#include "model/itemrecord.h"
#include "statusbar.h"

#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// A status item to add for some application.
struct ItemDescription {
    double length = StatusBar::squareLength;
    // Drawn in the bar; a variable-length item sizes to it. Also its "AXTitle".
    QString title;
    QImage image;
    // Defaults to "Item-0", "Item-1", ... per application, as the system names unnamed items.
    std::optional<QString> autosaveName;
    // "AXIdentifier" and "AXDescription"; absent answers "no value".
    std::optional<QString> identifier;
    std::optional<QString> accessibilityDescription;
    ItemGlyph glyph;
    // One of the system's fixed items (Control Center, the clock).
    bool immovable = false;
};

} // namespace zorv
