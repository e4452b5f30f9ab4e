#pragma once

#include "menubaritemid.h"
#include "section.h"
#include "unplacedreason.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>

namespace zorv {

// One status item as a scan found it. Engines publish whole lists of these; receivers may change
// the mutable state (from `capturedImage` on) in their own copies. Built with every field up to
// `isUnmovable` spelled out: a forgotten field is a bug, not a default.
struct MenuBarItem {
    MenuBarItemID id;
    qint32 pid;
    QString appName;
    // In screen points, as the accessibility interface reports it.
    QRectF frame;
    std::optional<QImage> appIcon;

    std::optional<QImage> capturedImage;
    Section section;
    // The item sits where the screen's camera housing hides the bar.
    bool isNotchObscured;
    bool isDormant;
    // The item does not move when dragged.
    bool isUnmovable;
    // Why no drag can take the item into the lane the layout wants it in, for now; absent when it
    // stands there or a drag can.
    std::optional<UnplacedReason> unplacedBecause = std::nullopt;
};

} // namespace zorv
