import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Desktop

// An open pop-up menu of the simulated Mac, or its open submenu, drawn as the system draws menus:
// a rounded panel of rows, separators, key equivalents, check marks and the rows' own views. The
// rows and the actions come from `popup` (MenuPopup).
Window {
    id: root

    required property var popup
    required property bool submenu

    readonly property bool dark: Zorv.dark
    readonly property color textColor: root.dark ? "#e6ffffff" : "#de000000"
    readonly property color secondaryColor: root.dark ? "#8cffffff" : "#80000000"
    readonly property color selectionColor: "#0a64d6"
    readonly property color selectedTextColor: "#ffffff"

    // The keyboard stays with the simulated Mac, whose keys reach the menu through the desktop.
    flags: Qt.FramelessWindowHint | Qt.Tool | Qt.WindowDoesNotAcceptFocus
    color: "transparent"

    // Sized by the window itself: its content item follows only once the window is shown.
    Rectangle {
        width: root.width
        height: root.height
        radius: 8
        color: root.dark ? "#2c2c2e" : "#f2f2f2"
        border.width: 1
        border.color: root.dark ? "#40ffffff" : "#2e000000"
    }

    Column {
        y: 5
        width: root.width

        Repeater {
            model: root.submenu ? root.popup.submenuRows : root.popup.rows

            delegate: Item {
                id: row

                required property string title
                required property string subtitle
                required property string symbol
                required property string keyText
                required property bool separator
                required property bool enabled
                required property bool checked
                required property bool highlighted
                required property bool hasSubmenu
                required property url viewSource
                required property var viewProperties
                required property real rowHeight
                required property int menuRow
                required property string accessibleLabel

                readonly property bool hasView: !root.submenu && row.viewSource.toString().length > 0
                readonly property bool lit: row.highlighted && row.enabled && !row.hasView
                readonly property color ink: row.lit ? root.selectedTextColor
                                                     : row.enabled ? root.textColor : root.secondaryColor

                width: root.width
                height: row.rowHeight
                Accessible.role: row.separator ? Accessible.Separator : Accessible.MenuItem
                Accessible.name: row.accessibleLabel
                Accessible.ignored: row.separator

                Rectangle {
                    visible: row.separator
                    x: 10
                    width: parent.width - 20
                    height: 1
                    anchors.verticalCenter: parent.verticalCenter
                    color: root.dark ? "#26ffffff" : "#1f000000"
                }

                Rectangle {
                    visible: row.lit
                    x: 5
                    width: parent.width - 10
                    height: parent.height
                    radius: 5
                    color: root.selectionColor
                }

                Text {
                    visible: row.checked
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: "✓"
                    textFormat: Text.PlainText
                    font.pixelSize: 13
                    color: row.ink
                }

                SymbolImage {
                    visible: !row.separator && !row.hasView && row.symbol.length > 0
                    x: 17
                    y: row.subtitle.length > 0 ? 5 : (parent.height - height) / 2
                    name: row.symbol
                    size: 14
                    color: row.ink
                }

                // A menu only as wide as its screen shortens what does not fit, in the middle.
                Column {
                    id: titles

                    readonly property real room: parent.width - x - 21
                                                 - (trailing.visible ? trailing.width + 4 : 0)

                    visible: !row.separator && !row.hasView
                    x: 37.5
                    anchors.verticalCenter: parent.verticalCenter

                    Text {
                        width: Math.min(implicitWidth, titles.room)
                        text: row.title
                        textFormat: Text.PlainText
                        elide: Text.ElideMiddle
                        font.pixelSize: 14
                        color: row.ink
                    }
                    Text {
                        visible: row.subtitle.length > 0
                        width: Math.min(implicitWidth, titles.room)
                        text: row.subtitle
                        textFormat: Text.PlainText
                        elide: Text.ElideMiddle
                        font.pixelSize: 12
                        color: row.lit ? root.selectedTextColor : root.secondaryColor
                    }
                }

                Text {
                    id: trailing

                    visible: !row.separator && !row.hasView
                             && (row.keyText.length > 0 || row.hasSubmenu)
                    anchors.right: parent.right
                    anchors.rightMargin: 21
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.hasSubmenu ? "›" : row.keyText
                    textFormat: Text.PlainText
                    font.pixelSize: row.hasSubmenu ? 18 : 14
                    color: row.lit ? root.selectedTextColor : root.secondaryColor
                }

                MouseArea {
                    anchors.fill: parent
                    enabled: !row.separator && !row.hasView
                    hoverEnabled: true
                    onEntered: root.submenu ? root.popup.hoverInSubmenu(row.menuRow)
                                            : root.popup.hover(row.menuRow)
                    onClicked: root.submenu ? root.popup.chooseInSubmenu(row.menuRow)
                                            : root.popup.choose(row.menuRow)
                }

                HoverHandler {
                    enabled: row.hasView
                    onHoveredChanged: {
                        if (hovered)
                            root.popup.hover(row.menuRow);
                    }
                }

                Loader {
                    id: view

                    active: row.hasView
                    Component.onCompleted: {
                        if (row.hasView)
                            view.setSource(row.viewSource, row.viewProperties);
                    }
                    onLoaded: {
                        const item = view.item;
                        if ("textColor" in item)
                            item.textColor = Qt.binding(() => root.textColor);
                        if ("secondaryTextColor" in item)
                            item.secondaryTextColor = Qt.binding(() => root.secondaryColor);
                        if ("selectionColor" in item)
                            item.selectionColor = root.selectionColor;
                        if ("selectedTextColor" in item)
                            item.selectedTextColor = root.selectedTextColor;
                        // Views drawn by hand repaint when the appearance changes.
                        root.darkChanged.connect(() => item.update());
                        if ("highlighted" in item)
                            item.highlighted = Qt.binding(() => row.highlighted);
                        if (item.closeMenuRequested)
                            item.closeMenuRequested.connect(root.popup.viewAsksToClose);
                        if (item.triggered)
                            item.triggered.connect(() => root.popup.viewTriggered(row.menuRow));
                        root.popup.viewMade(row.menuRow, item);
                    }
                }
            }
        }
    }
}
