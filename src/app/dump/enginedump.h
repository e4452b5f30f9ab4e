#pragma once

#include <QJsonObject>
#include <QList>
#include <QRectF>

namespace zorv {

class ClassicEngine;

// The engine's state for the desktop dump: whether the hidden sections are revealed, why hiding
// is blocked (null while it works), whether its own icon is on screen, and the items of its last
// scan left to right (dormant ones last) with their identity, section and flags.
class EngineDump {
public:
    EngineDump() = delete;

    // `screens`: the screens' frames, against which an item counts as on screen.
    [[nodiscard]] static QJsonObject toJson(ClassicEngine &engine, const QList<QRectF> &screens);
};

} // namespace zorv
