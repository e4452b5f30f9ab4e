import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// A borderless button that is only a system symbol, with a tooltip carrying the same words as its
// accessibility label.
T.AbstractButton {
    id: root

    property string symbol
    property string tip

    implicitWidth: 22
    implicitHeight: 22
    padding: 0
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: root.tip
    ToolTip.visible: root.hovered && root.tip.length > 0
    ToolTip.delay: 600
    ToolTip.text: root.tip

    contentItem: Item {
        SymbolImage {
            anchors.centerIn: parent
            name: root.symbol
            size: 12
            color: Zorv.ink2
            opacity: root.down ? 0.6 : 1
        }
    }
}
