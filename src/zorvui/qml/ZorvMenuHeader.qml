import QtQuick
import Zorv.UI

// The status menu's first row: the application's icon and name, and at the right edge the reveal
// shortcut as key caps. Exactly `width` wide (the menu passes the width it computed); an empty
// shortcut shows no caps and leaves the icon and the name where they are.
Item {
    id: root

    // The reveal shortcut's display text ("⌥⌘S").
    property string hotkey
    // The menu's text colour.
    property color textColor: Zorv.ink

    // KeyShortcut::caps(): each leading modifier glyph is a cap, the rest one last cap.
    function capsOf(text) {
        const caps = [];
        let rest = text;
        while (rest.length > 0 && "⌃⌥⇧⌘".indexOf(rest[0]) >= 0) {
            caps.push(rest[0]);
            rest = rest.substring(1);
        }
        if (rest.length > 0)
            caps.push(rest);
        return caps;
    }

    implicitHeight: 42
    Accessible.role: Accessible.StaticText
    Accessible.name: "Zorv"

    ZorvAppIcon {
        id: icon
        objectName: "menuHeaderAppIcon"
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        size: 28
    }

    Text {
        anchors.left: icon.right
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        text: qsTr("Zorv")
        textFormat: Text.PlainText
        font.pixelSize: 13
        font.bold: true
        color: root.textColor
    }

    KeyCaps {
        anchors.right: parent.right
        anchors.rightMargin: 14 + 6
        anchors.verticalCenter: parent.verticalCenter
        keys: root.capsOf(root.hotkey)
        size: 12
        weight: KeyCapsPainter.Menu
        color: root.textColor
    }
}
