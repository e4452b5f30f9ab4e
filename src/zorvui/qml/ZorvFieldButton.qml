import QtQuick
import QtQuick.Templates as T
import Zorv.UI

// The look of a field-like button (the picker's closed field): card fill, paper2 while pressed,
// a line2 border, radius 6, insets 9 and 5; content fills the width, aligned leading. Disabled,
// the border turns line; the content draws its text in ink2.
T.Button {
    id: root

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    leftPadding: Zorv.fieldInset
    rightPadding: Zorv.fieldInset
    topPadding: 5
    bottomPadding: 5
    font.pixelSize: 12

    background: Rectangle {
        radius: 6
        color: root.down ? Zorv.paper2 : Zorv.card
        border.width: 1
        border.color: root.enabled ? Zorv.line2 : Zorv.line
    }
}
