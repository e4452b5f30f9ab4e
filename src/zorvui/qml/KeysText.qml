import QtQuick
import Zorv.UI

// Running text in which every "{token}" shows as inline key caps ("Hold {option} and click");
// everything else is shown exactly as written. Stretches to its parent's width and wraps.
Text {
    id: root

    property string keysText

    width: parent ? parent.width : implicitWidth
    textFormat: Text.StyledText
    text: Zorv.keysMarkup(root.keysText, root.font.pixelSize, root.color)
    font.pixelSize: 12
    color: Zorv.ink
    wrapMode: Text.Wrap
    Accessible.role: Accessible.StaticText
    Accessible.name: root.keysText
}
