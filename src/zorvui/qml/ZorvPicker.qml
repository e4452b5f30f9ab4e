import QtQuick
import QtQuick.Templates as T
import Zorv.UI

// A drop-down choice in the kit's look: a field showing the current option that opens a list
// below it, driven by mouse and keyboard (Up, Down, Return, Escape), with an optional extra row
// that runs the caller's `extraAction`. Options are {value, label, icon}; `selection` may be any
// value, null included. Choosing an option sets `selection` and emits `activated(value)`.
ZorvFieldButton {
    id: root

    property string title
    property var selection
    property var options: []
    property string extraLabel
    property var extraAction: null
    property string placeholder
    readonly property alias presented: picker.presented
    readonly property alias highlightedRow: picker.highlighted

    signal activated(var value)

    implicitWidth: 200
    Accessible.role: Accessible.ComboBox
    Accessible.name: root.title
    Accessible.description: picker.currentLabel
    onClicked: picker.toggle()

    PickerModel {
        id: picker

        options: root.options
        selection: root.selection
        hasExtra: root.extraLabel.length > 0
        extraLabel: root.extraLabel
        placeholder: root.placeholder
        width: root.width
        onChosen: value => {
            root.selection = value;
            root.activated(value);
        }
        onExtraChosen: {
            if (root.extraAction)
                root.extraAction();
        }
    }

    contentItem: Row {
        spacing: 6

        Image {
            id: currentIcon

            visible: !!picker.currentIcon
            opacity: root.enabled ? 1 : 0.45
            anchors.verticalCenter: parent.verticalCenter
            width: 15
            height: 15
            source: picker.currentIcon ? picker.currentIcon : ""
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: root.availableWidth - chevron.width - 4 - parent.spacing
                   - (currentIcon.visible ? currentIcon.width + parent.spacing : 0)
            text: picker.currentLabel
            textFormat: Text.PlainText
            font: root.font
            color: picker.isPlaceholder || !root.enabled ? Zorv.ink2 : Zorv.ink
            elide: Text.ElideRight
        }
        SymbolImage {
            id: chevron

            anchors.verticalCenter: parent.verticalCenter
            name: "chevron.up.chevron.down"
            size: 11
            color: Zorv.ink2
        }
    }

    T.Popup {
        id: popup

        y: root.height + 4
        width: picker.listWidth
        height: picker.listHeight
        padding: 0
        visible: picker.presented
        closePolicy: T.Popup.CloseOnPressOutsideParent
        onClosed: picker.presented = false
        onOpened: {
            list.forceActiveFocus();
            list.positionViewAtIndex(picker.highlighted, ListView.Contain);
        }

        background: Rectangle {
            color: Zorv.paper
            radius: 8
            border.width: 1
            border.color: Zorv.line2
        }

        contentItem: ListView {
            id: list

            objectName: "pickerList"
            clip: true
            focus: true
            spacing: 2
            topMargin: 6
            bottomMargin: 6
            leftMargin: 6
            // The scroll bar keeps to a lane of its own, clear of the rows' highlight.
            rightMargin: scrollBar.visible ? scrollBar.width + 2 : 6
            // Options are made as they scroll into sight, never ahead in the background, so a
            // list of options that changes while open never leaves one half made.
            cacheBuffer: 0
            boundsBehavior: Flickable.StopAtBounds
            model: picker.rows
            T.ScrollBar.vertical: ZorvScrollBar {
                id: scrollBar

                objectName: "pickerScrollBar"
                // Clear of the list's rounded corners.
                topPadding: 8
                bottomPadding: 8
            }

            Keys.onUpPressed: {
                picker.move(-1);
                list.positionViewAtIndex(picker.highlighted, ListView.Contain);
            }
            Keys.onDownPressed: {
                picker.move(1);
                list.positionViewAtIndex(picker.highlighted, ListView.Contain);
            }
            Keys.onReturnPressed: picker.choose(picker.highlighted)
            Keys.onEnterPressed: picker.choose(picker.highlighted)
            Keys.onEscapePressed: picker.presented = false

            delegate: Column {
                id: row

                required property int index
                required property string label
                required property var icon
                required property bool selected
                required property bool highlighted
                required property bool extra

                width: list.width - list.leftMargin - list.rightMargin

                Rectangle {
                    visible: row.extra
                    width: parent.width
                    height: 1
                    color: Zorv.line
                }
                Item {
                    visible: row.extra
                    width: 1
                    height: 5
                }
                Rectangle {
                    objectName: "pickerRow" + row.index
                    width: parent.width
                    height: rowContent.implicitHeight + 14
                    radius: 6
                    color: row.highlighted
                           ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.25)
                           : "transparent"
                    Accessible.role: Accessible.ListItem
                    Accessible.name: row.label
                    Accessible.selected: row.selected

                    Row {
                        id: rowContent

                        x: 10
                        width: parent.width - 20
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 8

                        SymbolImage {
                            id: mark

                            objectName: "pickerMark" + row.index
                            visible: !row.extra
                            anchors.verticalCenter: parent.verticalCenter
                            name: row.selected ? "checkmark" : "circle"
                            size: 12
                            color: Zorv.ink
                            opacity: row.selected ? 1 : 0
                        }
                        Image {
                            id: rowIcon

                            visible: !row.extra && !!row.icon
                            anchors.verticalCenter: parent.verticalCenter
                            width: 16
                            height: 16
                            source: row.icon ? row.icon : ""
                        }
                        Text {
                            objectName: "pickerLabel" + row.index
                            anchors.verticalCenter: parent.verticalCenter
                            width: rowContent.width - (mark.visible ? mark.width + 8 : 0)
                                   - (rowIcon.visible ? rowIcon.width + 8 : 0)
                            text: row.label
                            textFormat: Text.PlainText
                            font.pixelSize: 12
                            color: Zorv.ink
                            elide: Text.ElideRight
                        }
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: picker.choose(row.index)
                    }
                }
            }
        }
    }
}
