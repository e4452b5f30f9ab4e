import QtQuick
import Zorv.UI

// Where a dragged chip would land in a lane.
Rectangle {
    width: 3
    height: 30
    radius: 1.5
    color: Zorv.honey
}
