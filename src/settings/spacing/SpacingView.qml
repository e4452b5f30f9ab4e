import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Spacing pane: a custom gap between every menu bar icon, or the system's, and the log-out
// every app needs to pick a change up.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    readonly property bool sheetShown: false

    title: "Spacing"
    blurb: "Changes the space between every menu bar icon, not only the ones Zorv manages."
    savedAt: root.view.lastSavedAt

    SpacingPaneModel {
        id: pane

        view: root.view
        services: root.services
    }
    Component.onCompleted: pane.appear()

    ZorvCard {
        kicker: "Menu Bar Spacing"

        ZorvRow {
            title: "Custom spacing"
            note: pane.note

            ZorvSwitch {
                objectName: "customSpacing"
                accessibleName: "Custom spacing"
                checked: pane.overriding
                onToggled: pane.overriding = checked
            }
        }
        ZorvRule {
            visible: pane.overriding
        }
        ZorvRow {
            visible: pane.overriding
            title: "Spacing"
            note: "Smaller fits more icons."

            Row {
                spacing: 8

                PaneSlider {
                    objectName: "spacingSlider"
                    anchors.verticalCenter: parent.verticalCenter
                    from: 2
                    to: 24
                    stepSize: 1
                    snapMode: PaneSlider.SnapAlways
                    value: pane.points
                    onPressedChanged: {
                        if (pressed)
                            pane.beginDrag();
                    }
                    onMoved: pane.points = value
                }
                ZorvValue {
                    width: Zorv.readoutWidth
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.readout
                    textFormat: Text.PlainText
                }
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Back to the system default"

            ZorvOutlineButton {
                objectName: "revert"
                text: "Revert"
                enabled: pane.overriding
                onClicked: pane.revert()
            }
        }
    }

    ZorvCard {
        objectName: "logoutCard"
        // Comes and goes with a short ease-out fade.
        visible: opacity > 0
        opacity: pane.needsLogout ? 1 : 0
        kicker: "Not Everywhere Yet"

        Behavior on opacity {
            NumberAnimation {
                duration: 180
                easing.type: Easing.BezierSpline
                easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
            }
        }

        ZorvWideRow {
            ZorvNote {
                text: "Each app reads the spacing when it starts, so a change reaches all of them at your next login."
            }
        }
        ZorvRule {}
        ZorvWideRow {
            Column {
                width: parent.width
                spacing: 10

                Row {
                    spacing: 6

                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "arrow.triangle.2.circlepath"
                        size: 13
                        color: Zorv.ink
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Log out to see this in every app"
                        textFormat: Text.PlainText
                        font.pixelSize: 13
                        font.weight: Font.DemiBold
                        color: Zorv.ink
                    }
                }
                Text {
                    width: parent.width
                    text: "Log out of your Mac and back in (Apple menu → Log Out). You don't need to quit Zorv or restart. Save your work first."
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: Zorv.ink2
                    wrapMode: Text.Wrap
                }
                Text {
                    objectName: "logoutRefused"
                    visible: pane.logoutRefused
                    width: parent.width
                    text: "macOS didn't let Zorv start the logout. Choose Apple menu → Log Out, or allow Zorv under Privacy & Security → Automation."
                    textFormat: Text.PlainText
                    font.pixelSize: 11
                    color: "#E8820C"
                    wrapMode: Text.Wrap
                }
                Row {
                    spacing: 10

                    ZorvAccentButton {
                        objectName: "logOut"
                        text: "Log Out Now…"
                        onClicked: pane.logOut()
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "macOS asks you to confirm first."
                        textFormat: Text.PlainText
                        font.pixelSize: 11
                        color: Zorv.ink2
                    }
                }
            }
        }
    }
}
