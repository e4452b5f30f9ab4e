#pragma once

#include "displayid.h"

#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

// One status item as a screen's bar shows it right now, for tests and dumps.
struct BarEntry {
    quint64 itemId = 0;
    DisplayId displayId = 0;
    qint32 processId = 0;
    std::optional<QString> bundleIdentifier;
    std::optional<QString> applicationName;
    QString title;
    QString autosaveName;
    double length = 0.0;
    // Top-left convention, as accessibility reports it.
    QRectF frame;
    bool onScreen = false;
    // Drawn and clickable.
    bool visible = false;
    bool underMenus = false;
    bool underHousing = false;
    bool immovable = false;

    friend bool operator==(const BarEntry &, const BarEntry &) = default;
};

// The cursor as the window server holds it.
struct CursorState {
    QPointF location;
    bool readable = true;
    bool mouseAssociated = true;
    // Outstanding hides per display; the cursor shows where the count is 0.
    QHash<DisplayId, int> hideCounts;
    int hideCalls = 0;
    int showCalls = 0;
    int warps = 0;

    friend bool operator==(const CursorState &, const CursorState &) = default;
};

} // namespace zorv
