import QtQuick
import QtQuick.Controls.Basic
import Zorv.Settings

// A "Move to …" row of a chip's menu: checked and disabled for the chip's own lane.
MenuItem {
    id: root

    // {text, section, current}, or undefined before the menu first opens.
    property var entry

    signal chosen(string section)

    objectName: root.entry ? "moveTo-" + root.entry.section : ""
    text: root.entry ? root.entry.text : ""
    checkable: true
    checked: !!root.entry && root.entry.current
    enabled: !!root.entry && !root.entry.current
    onTriggered: root.chosen(root.entry.section)
}
