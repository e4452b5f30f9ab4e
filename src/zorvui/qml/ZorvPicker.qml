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
            font: root.font
            color: picker.isPlaceholder ? Zorv.ink2 : Zorv.ink
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
            rightMargin: 6
            boundsBehavior: Flickable.StopAtBounds
            model: picker.rowCount
            T.ScrollBar.vertical: ZorvScrollBar {}

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
                readonly property bool isExtra: row.index >= root.options.length

                width: list.width - 12

                Rectangle {
                    visible: row.isExtra
                    width: parent.width
                    height: 1
                    color: Zorv.line
                }
                Item {
                    visible: row.isExtra
                    width: 1
                    height: 5
                }
                Rectangle {
                    width: parent.width
                    height: rowContent.implicitHeight + 14
                    radius: 6
                    color: picker.highlighted === row.index
                           ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.25)
                           : "transparent"
                    Accessible.role: Accessible.ListItem
                    Accessible.name: rowLabel.text
                    Accessible.selected: picker.isSelected(row.index)

                    Row {
                        id: rowContent

                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 8

                        SymbolImage {
                            visible: !row.isExtra
                            anchors.verticalCenter: parent.verticalCenter
                            name: picker.isSelected(row.index) ? "checkmark" : "circle"
                            size: 12
                            color: Zorv.ink
                            opacity: picker.isSelected(row.index) ? 1 : 0
                        }
                        Image {
                            visible: !row.isExtra && !!picker.iconAt(row.index)
                            anchors.verticalCenter: parent.verticalCenter
                            width: 16
                            height: 16
                            source: picker.iconAt(row.index) ? picker.iconAt(row.index) : ""
                        }
                        Text {
                            id: rowLabel

                            anchors.verticalCenter: parent.verticalCenter
                            text: row.isExtra ? root.extraLabel : picker.labelAt(row.index)
                            font.pixelSize: 12
                            color: Zorv.ink
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
