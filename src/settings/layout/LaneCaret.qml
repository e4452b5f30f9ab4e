import QtQuick
import Zorv.UI
import Zorv.Settings

// Where a dragged chip would land in a lane.
Rectangle {
    width: 3
    height: 30
    radius: 1.5
    color: Zorv.honey
}
