import QtQuick
import Zorv.UI

// The scaffold of a settings pane: a masthead with the title, an optional blurb ("{token}"s as
// key caps) and the "SAVED" tick that shows for a moment after each change of `savedAt`, then the
// content in a scrolling column that Page Down and Page Up scroll. `index` and `total` (the
// pane's place in the pane list) are kept for the caller and never drawn.
Rectangle {
    id: root

    property int index
    property int total
    property string title
    // A string, or null for none.
    property var blurb: null
    property var savedAt
    default property alias content: body.data
    readonly property bool savedTickShown: tick.shown

    color: Zorv.paper

    SavedTick {
        id: tick

        savedAt: root.savedAt
    }

    Rectangle {
        id: masthead

        width: root.width
        height: mastheadColumn.implicitHeight + 22 + 14
        color: Zorv.paper

        Column {
            id: mastheadColumn

            x: 26
            y: 22
            width: masthead.width - 52

            Text {
                id: savedText

                textFormat: Text.PlainText
                anchors.right: parent.right
                text: qsTr("SAVED")
                font.family: Zorv.monoFamily
                font.pixelSize: 10
                font.weight: Font.DemiBold
                font.letterSpacing: 1.1
                color: Zorv.honeyInk
                opacity: tick.shown ? 1 : 0
                Accessible.ignored: !tick.shown

                Behavior on opacity {
                    NumberAnimation {
                        duration: tick.shown ? 150 : 300
                        easing.type: Easing.OutQuad
                    }
                }
            }
            Text {
                textFormat: Text.PlainText
                width: parent.width
                topPadding: 4
                text: root.title
                font.pixelSize: 26
                font.bold: true
                color: Zorv.ink
                elide: Text.ElideRight
            }
            KeysText {
                visible: !!root.blurb
                topPadding: 5
                keysText: root.blurb ? root.blurb : ""
                font.pixelSize: 12
                color: Zorv.ink2
            }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 2
            color: Zorv.ink
            opacity: 0.8
        }
    }

    ZorvScroller {
        id: scroller

        objectName: "paneScroller"
        anchors.top: masthead.bottom
        anchors.bottom: parent.bottom
        width: root.width
        contentHeight: body.implicitHeight + 20 + 28
        // The pane's keys when no control of it has them.
        focus: true

        Column {
            id: body

            x: 26
            y: 20
            width: scroller.width - 52
            spacing: 22
        }
    }
}
