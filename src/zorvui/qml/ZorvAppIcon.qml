import QtQuick
import Zorv.UI

// Zorv's application icon, `size` points square, drawn for the window's pixel ratio.
Image {
    id: root

    property real size: 26

    width: root.size
    height: root.size
    sourceSize: Qt.size(Math.ceil(root.size * Screen.devicePixelRatio),
                        Math.ceil(root.size * Screen.devicePixelRatio))
    fillMode: Image.PreserveAspectFit
    source: "image://zorvappicon/zorv"
}
