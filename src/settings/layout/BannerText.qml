import QtQuick
import Zorv.UI
import Zorv.Settings

// Running text in a banner: 12 points, secondary ink, wrapped to the banner's width.
Text {
    width: parent ? parent.width : implicitWidth
    textFormat: Text.PlainText
    font.pixelSize: 12
    color: Zorv.ink2
    wrapMode: Text.Wrap
}
