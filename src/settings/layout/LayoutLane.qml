import QtQuick
import QtQuick.Controls.Basic
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// One lane of the layout pane: a header with the lane's dot, title and count over a rounded well
// of chips that scrolls sideways. Chips are dragged through the pane's `preview`; a drag over the
// well shows the caret where it would land, and a chip hovered a moment shows its name above it.
Column {
    id: root

    required property string section
    required property ModelView view
    required property SettingsServices services
    required property LayoutPaneModel pane
    // The pane's drag preview, which carries a dragged chip between lanes.
    required property Item preview
    readonly property LaneModel lane: laneModel

    width: parent ? parent.width : implicitWidth
    spacing: 8

    LaneModel {
        id: laneModel

        view: root.view
        services: root.services
        section: root.section
    }

    Row {
        leftPadding: 2
        spacing: 7

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 7
            height: 7
            radius: 3.5
            color: root.section === "hidden" ? Zorv.honey : root.section === "shown"
                                                              ? Qt.rgba(Zorv.ink.r, Zorv.ink.g, Zorv.ink.b, 0.65)
                                                              : Qt.rgba(Zorv.ink2.r, Zorv.ink2.g, Zorv.ink2.b, 0.5)
        }
        ZorvKicker {
            anchors.verticalCenter: parent.verticalCenter
            text: laneModel.title
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: laneModel.count
            textFormat: Text.PlainText
            font.family: Zorv.monoFamily
            font.pixelSize: 10
            font.weight: Font.DemiBold
            color: Zorv.ink2
            opacity: 0.75
        }
    }

    Rectangle {
        id: well

        objectName: "well-" + root.section
        width: root.width
        height: Math.max(52, chips.implicitHeight)
        radius: 12
        color: root.pane.barMode ? Qt.rgba(root.pane.barColor.r, root.pane.barColor.g,
                                           root.pane.barColor.b, laneModel.targeted ? 1 : 0.94)
                                 : Zorv.card
        border.width: laneModel.targeted ? 2 : 1
        border.color: laneModel.targeted ? Zorv.honey : Zorv.line

        Flickable {
            id: scroller

            objectName: "scroller-" + root.section
            anchors.fill: parent
            anchors.margins: well.border.width
            contentWidth: chips.implicitWidth
            contentHeight: height
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds
            interactive: contentWidth > width
            clip: true

            Row {
                id: chips

                height: scroller.height
                padding: 8 - well.border.width
                spacing: 8

                Text {
                    visible: laneModel.count === 0
                    anchors.verticalCenter: parent.verticalCenter
                    leftPadding: 4
                    text: "Drop icons here"
                    textFormat: Text.PlainText
                    font.pixelSize: 11
                    color: !root.pane.barMode ? Qt.rgba(Zorv.ink2.r, Zorv.ink2.g, Zorv.ink2.b, 0.7)
                                              : root.pane.barIsDark ? Qt.rgba(1, 1, 1, 0.55)
                                                                    : Qt.rgba(0, 0, 0, 0.55)
                }

                Repeater {
                    model: laneModel

                    delegate: Row {
                        id: cell

                        required property int index
                        required property string key
                        required property var payload
                        required property var model
                        readonly property rect frame: Qt.rect(cell.x + chip.x, cell.y + chip.y,
                                                              chip.width, chip.height)

                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 8

                        onFrameChanged: laneModel.reportFrame(cell.key, cell.frame)
                        Component.onCompleted: laneModel.reportFrame(cell.key, cell.frame)

                        LaneCaret {
                            anchors.verticalCenter: parent.verticalCenter
                            visible: laneModel.insertionIndex === cell.index
                        }
                        ItemChip {
                            id: chip

                            objectName: "chip-" + root.section + "-" + cell.index
                            anchors.verticalCenter: parent.verticalCenter
                            name: cell.model.name
                            help: cell.model.help
                            pictureKind: cell.model.pictureKind
                            picture: cell.model.picture
                            pictureSize: cell.model.pictureSize
                            symbol: cell.model.symbol
                            plate: cell.model.plate
                            dormant: cell.model.dormant
                            notchObscured: cell.model.notchObscured
                            unmovable: cell.model.unmovable
                            barMode: root.pane.barMode
                            barIsDark: root.pane.barIsDark

                            onHoveredChanged: laneModel.setHover(cell.key, chip.hovered)
                            onDraggingChanged: {
                                if (chip.dragging)
                                    root.preview.begin(chip, cell.payload);
                                else
                                    root.preview.end();
                            }
                            onDragPointChanged: {
                                if (chip.dragging)
                                    root.preview.follow(chip.mapToItem(root.preview.parent, chip.dragPoint));
                            }
                            onMenuRequested: point => menu.openFor(cell, chip.name,
                                                                   chip.mapToItem(root, point))
                        }
                    }
                }
                LaneCaret {
                    objectName: "caret-end-" + root.section
                    anchors.verticalCenter: parent.verticalCenter
                    visible: laneModel.insertionIndex === laneModel.count
                }
            }
        }

        // As a Mac's scroll view does, the lane follows a sideways scroll at once, by its pixels (a
        // wheel's notch without pixels is three lines); a scroll up or down goes on to the pane.
        MouseArea {
            anchors.fill: scroller
            acceptedButtons: Qt.NoButton
            onWheel: wheel => {
                const pixels = wheel.pixelDelta.x !== 0 ? wheel.pixelDelta.x
                                                        : wheel.angleDelta.x / 120 * 30;
                const end = Math.max(0, scroller.contentWidth - scroller.width);
                scroller.contentX = Math.min(end, Math.max(0, scroller.contentX - pixels));
                wheel.accepted = pixels !== 0;
            }
        }

        DropArea {
            id: dropArea

            anchors.fill: parent
            keys: [laneModel.dragType]

            function contentX(drag) {
                return chips.mapFromItem(dropArea, drag.x, drag.y).x;
            }

            onEntered: drag => laneModel.dragMoved(dropArea.contentX(drag))
            onPositionChanged: drag => laneModel.dragMoved(dropArea.contentX(drag))
            onExited: laneModel.dragExited()
            onDropped: drop => {
                if (laneModel.drop(dropArea.contentX(drop), drop.source.payload))
                    drop.accept(Qt.MoveAction);
            }
        }
    }

    CapsuleShadow {
        parent: well
        z: 9
        target: bubble
    }
    // The hovered chip's name, above it and over everything near.
    Rectangle {
        id: bubble

        objectName: "bubble-" + root.section
        // Follows the lane's scrolling too.
        readonly property point centre: {
            scroller.contentX;
            return well.mapFromItem(chips, laneModel.bubbleCentre.x, laneModel.bubbleCentre.y);
        }

        parent: well
        z: 10
        visible: laneModel.bubbleName.length > 0
        x: Math.round(bubble.centre.x - width / 2)
        y: Math.round(bubble.centre.y - height / 2)
        width: bubbleText.implicitWidth + 18
        height: bubbleText.implicitHeight + 10
        radius: height / 2
        color: Qt.rgba(0.16, 0.14, 0.12, 1)

        Text {
            id: bubbleText

            anchors.centerIn: parent
            text: laneModel.bubbleName
            textFormat: Text.PlainText
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: Qt.rgba(0.96, 0.93, 0.86, 1)
        }
    }

    Menu {
        id: menu

        // The cell of the chip the menu is for: it stays with its item while others come, go and
        // reorder, and is null once its item has gone.
        property Item cell: null
        property string name
        property var entries: []

        // Opens at `point`, in the lane's coordinates.
        function openFor(cell, name, point) {
            menu.cell = cell;
            menu.name = name;
            menu.entries = laneModel.moveMenu(cell.index);
            menu.popup(point);
        }
        function moveTo(section) {
            if (menu.cell)
                laneModel.moveTo(menu.cell.index, section);
        }

        objectName: "chipMenu-" + root.section

        MenuItem {
            text: menu.name
            enabled: false
        }
        MenuSeparator {}
        LaneMenuItem {
            entry: menu.entries[0]
            onChosen: section => menu.moveTo(section)
        }
        LaneMenuItem {
            entry: menu.entries[1]
            onChosen: section => menu.moveTo(section)
        }
        LaneMenuItem {
            entry: menu.entries[2]
            onChosen: section => menu.moveTo(section)
        }
    }
}
