import QtQuick
import Zorv.UI

// A system symbol of the kit's glyph set, tinted to `color`, `size` points square.
Image {
    id: root

    property string name
    property color color: Zorv.ink
    property real size: 16

    width: root.size
    height: root.size
    sourceSize: Qt.size(Math.ceil(root.size * 2), Math.ceil(root.size * 2))
    fillMode: Image.PreserveAspectFit
    source: root.name.length > 0
            ? "image://zorvsymbol/" + root.name + "/" + String(root.color).substring(1) : ""
}
