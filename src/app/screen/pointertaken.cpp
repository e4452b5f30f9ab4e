#include "pointertaken.h"

#include <QEventPoint>
#include <QPointerEvent>

namespace zorv {

bool pointerTaken(const QPointerEvent &event) {
    if (event.isAccepted()) {
        return true;
    }
    for (const QEventPoint &point : event.points()) {
        if (event.exclusiveGrabber(point) || !event.passiveGrabbers(point).isEmpty()) {
            return true;
        }
    }
    return false;
}

} // namespace zorv
