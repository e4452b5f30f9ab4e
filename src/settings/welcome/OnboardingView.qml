import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import Zorv.UI
import Zorv.Settings

// The welcome tour: the page, a rule, and the footer with Back, the page dots and the page's
// buttons. Return presses the default button; Escape and Command-Return do nothing here, since
// only the close button leaves the tour unfinished.
Window {
    id: root

    required property WelcomeWindowModel model
    readonly property Item pageItem: pages.item

    width: 560
    height: 440
    color: Zorv.paper

    Loader {
        id: pages

        x: 28
        y: 28
        width: root.width - 56
        height: root.height - footer.height - 1 - 56
        sourceComponent: root.model.dot === 0 ? welcome
                                              : root.model.dot === 1 ? accessibility : ready
    }
    Component {
        id: welcome

        WelcomePage {}
    }
    Component {
        id: accessibility

        AccessibilityPage {
            trusted: root.model.axTrusted
            onOpenSettings: root.model.openAccessibilitySettings()
        }
    }
    Component {
        id: ready

        ReadyPage {
            lines: root.model.readyLines
        }
    }

    Rectangle {
        y: footer.y - 1
        width: root.width
        height: 1
        color: Zorv.line
    }

    Rectangle {
        id: footer

        y: root.height - height
        width: root.width
        height: buttons.implicitHeight + 32
        color: Zorv.paper2

        RowLayout {
            id: buttons

            x: 16
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            ZorvOutlineButton {
                objectName: "back"
                visible: root.model.backShown
                text: "Back"
                onClicked: root.model.back()
            }
            Item {
                Layout.fillWidth: true
            }
            Row {
                objectName: "dots"
                spacing: 6

                Repeater {
                    model: root.model.pageCount

                    delegate: Rectangle {
                        required property int index

                        width: 7
                        height: 7
                        radius: 3.5
                        color: index === root.model.dot ? Zorv.honey : Qt.rgba(Zorv.ink2.r, Zorv.ink2.g, Zorv.ink2.b, 0.3)
                    }
                }
            }
            Item {
                Layout.fillWidth: true
            }
            ZorvOutlineButton {
                objectName: "done"
                visible: root.model.doneShown
                text: "Done"
                onClicked: root.model.done()
            }
            ZorvAccentButton {
                objectName: "primary"
                text: root.model.primaryTitle
                onClicked: root.model.advance()
            }
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: root.model.advance()
    }
}
