#include "unplacedreason.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString UnplacedReason::text() const {
    QString where;
    switch (obstacle) {
    case Obstacle::menus:
        where = u"under the menus"_s;
        break;
    case Obstacle::cameraHousing:
        where = u"behind the camera housing"_s;
        break;
    case Obstacle::screenEdge:
        where = u"off screen"_s;
        break;
    case Obstacle::notAnswering:
        where = u"not answering"_s;
        break;
    }
    return (laneOnly ? u"its lane "_s : QString()) + where +
           (hiddenForNow ? u", hidden for now"_s : QString());
}

} // namespace zorv
