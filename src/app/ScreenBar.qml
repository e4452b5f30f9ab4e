import QtQuick
import QtQuick.Controls
import Zorv.Desktop

// One screen's menu bar, shrunk to fit the view when it is wider (but never below half size;
// wider bars scroll and start at their right end, where the status items are).
Column {
    id: root

    required property string name
    required property string details
    required property real screenWidth
    required property real barHeight
    required property var scene
    required property bool active
    readonly property real stripScale: Math.max(0.5, Math.min(1, root.width / root.screenWidth))

    spacing: 4

    Label {
        textFormat: Text.PlainText
        text: root.active ? qsTr("%1 (holds the status items' windows)").arg(root.name) : root.name
        font.bold: true
    }
    Label {
        textFormat: Text.PlainText
        text: root.stripScale < 1
              ? qsTr("%1, drawn at %2 %").arg(root.details).arg(Math.round(root.stripScale * 100))
              : root.details
    }
    Flickable {
        width: root.width
        height: root.barHeight * root.stripScale + 12
        contentWidth: root.screenWidth * root.stripScale
        contentHeight: height
        contentX: Math.max(0, contentWidth - width)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.horizontal: ScrollBar {
            policy: ScrollBar.AlwaysOn
        }

        MenuBarStrip {
            objectName: "menuBarStrip"
            width: root.screenWidth * root.stripScale
            height: root.barHeight * root.stripScale
            scene: root.scene
        }
    }
}
