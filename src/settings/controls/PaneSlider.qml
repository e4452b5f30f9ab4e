import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// The slider of a settings row: a thin track filled with honey up to a round knob.
T.Slider {
    id: root

    implicitWidth: Zorv.sliderWidth
    implicitHeight: 18
    padding: 0
    opacity: root.enabled ? 1 : 0.45

    background: Rectangle {
        x: root.leftPadding + root.handle.width / 2
        y: root.topPadding + root.availableHeight / 2 - height / 2
        width: root.availableWidth - root.handle.width
        height: 4
        radius: 2
        color: Zorv.line2

        Rectangle {
            width: root.visualPosition * parent.width
            height: parent.height
            radius: 2
            color: Zorv.honey
        }
    }
    handle: Rectangle {
        x: root.leftPadding + root.visualPosition * (root.availableWidth - width)
        y: root.topPadding + root.availableHeight / 2 - height / 2
        width: 16
        height: 16
        radius: 8
        color: "white"
        border.color: Zorv.line2
        border.width: 1
    }
}
