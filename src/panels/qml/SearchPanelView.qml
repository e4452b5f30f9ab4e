import QtQuick
import QtQuick.Controls.Basic
import Zorv.UI

// The search panel: a query field over the matching items. Down and Up move the highlight,
// Return opens the highlighted item, Command and a digit open one of the first nine, a click
// opens the row clicked, Escape closes. Each new `search` rebuilds the content from scratch.
Window {
    id: root

    property QtObject search: null

    width: 520
    height: 360
    color: "transparent"
    title: "Search"

    // Sized by the window itself: the content item is not resized before the first show.
    Rectangle {
        width: root.width
        height: root.height
        radius: 12
        color: Zorv.paper
        border.color: Zorv.line
        border.width: 1

        Loader {
            width: root.width
            height: root.height
            active: root.search !== null
            sourceComponent: content
        }
    }

    Component {
        id: content

        Item {
            id: column

            objectName: "content"
            readonly property QtObject search: root.search

            width: root.width
            height: root.height

            Component.onCompleted: {
                field.forceActiveFocus();
                column.search.appeared();
            }

            Item {
                id: header

                // Clear of the transparent title bar and its buttons.
                y: 28
                width: column.width
                height: 56

                SymbolImage {
                    id: glass

                    x: 16
                    anchors.verticalCenter: parent.verticalCenter
                    name: "magnifyingglass"
                    color: Zorv.ink2
                    size: 18
                }

                TextField {
                    id: field

                    objectName: "query"
                    anchors.left: glass.right
                    anchors.leftMargin: 10
                    anchors.right: parent.right
                    anchors.rightMargin: 16
                    anchors.verticalCenter: parent.verticalCenter
                    placeholderText: "Search menu bar items…"
                    placeholderTextColor: Zorv.ink2
                    color: Zorv.ink
                    font.pixelSize: 20
                    background: null
                    padding: 0
                    text: column.search.query
                    onTextEdited: column.search.query = field.text

                    Keys.onPressed: function(event) {
                        if (event.key === Qt.Key_Down) {
                            column.search.move(1);
                            event.accepted = true;
                        } else if (event.key === Qt.Key_Up) {
                            column.search.move(-1);
                            event.accepted = true;
                        } else if (event.key === Qt.Key_Escape) {
                            column.search.onEscape();
                            event.accepted = true;
                        } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                            column.search.activateSelected();
                            event.accepted = true;
                        } else {
                            event.accepted = column.search.commandDigit(event.key, event.modifiers);
                        }
                    }
                }

                TextInputGuard {
                    target: field
                }
            }

            Rectangle {
                id: divider

                anchors.top: header.bottom
                width: column.width
                height: 1
                color: Zorv.line
            }

            Item {
                objectName: "listArea"
                anchors.top: divider.bottom
                anchors.bottom: parent.bottom
                width: column.width

                ListView {
                    id: list

                    objectName: "results"
                    anchors.fill: parent
                    anchors.margins: 8
                    spacing: 2
                    clip: true
                    model: column.search.results
                    // Rows are made as they scroll into sight, never ahead in the background: a
                    // key that drops a row the view was still making below the fold would leave
                    // the view waiting for it, and cancelling a row that is gone when it closes.
                    // The list is short and its rows cheap.
                    cacheBuffer: 0
                    boundsBehavior: Flickable.StopAtBounds
                    ScrollBar.vertical: ZorvScrollBar {}

                    delegate: SearchRow {
                        width: list.width
                        onClicked: column.search.activateRow(index)
                    }

                    Connections {
                        target: column.search
                        function onSelectionChanged() {
                            if (column.search.selection >= 0 && column.search.selection < list.count)
                                list.positionViewAtIndex(column.search.selection, ListView.Center);
                        }
                    }
                }

                Text {
                    objectName: "emptyText"
                    anchors.fill: parent
                    anchors.margins: 16
                    visible: column.search.results.count === 0
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    wrapMode: Text.Wrap
                    elide: Text.ElideRight
                    text: column.search.emptyText
                    textFormat: Text.PlainText
                    font.pixelSize: 14
                    color: Zorv.ink2
                }
            }
        }
    }
}
