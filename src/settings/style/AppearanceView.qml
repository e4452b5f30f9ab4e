import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Menu Bar Style pane: the tint, the bar's edge and pixel-perfect icons. Every control writes
// through at once; the menu bar itself is the preview.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    // The colour panel takes Escape before the window.
    readonly property bool sheetShown: well.panelShown

    title: "Menu Bar Style"
    blurb: "Tint the menu bar and change its edge. Clicks work as usual."
    savedAt: root.view.lastSavedAt

    StylePaneModel {
        id: pane

        view: root.view
    }

    ZorvCard {
        kicker: "Tint"

        ZorvRow {
            title: "Tint the menu bar"

            ZorvSwitch {
                objectName: "tint"
                accessibleName: "Tint the menu bar"
                checked: pane.tintEnabled
                onToggled: pane.tintEnabled = checked
            }
        }
        ZorvRule {
            visible: pane.tintEnabled
        }
        ZorvRow {
            visible: pane.tintEnabled
            title: "Color"

            Row {
                spacing: 10

                ZorvValue {
                    objectName: "tintReadout"
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.tintReadout
                }
                ColorWell {
                    id: well

                    objectName: "colorWell"
                    anchors.verticalCenter: parent.verticalCenter
                    color: pane.tintColor
                    onPicked: color => pane.pickColor(color)
                }
            }
        }
        ZorvRule {
            visible: pane.tintEnabled
        }
        ZorvRow {
            visible: pane.tintEnabled
            title: "Strength"

            Row {
                spacing: 8

                PaneSlider {
                    objectName: "strength"
                    width: Zorv.sliderWidth
                    anchors.verticalCenter: parent.verticalCenter
                    from: 0
                    to: 1
                    value: pane.strength
                    onMoved: pane.strength = value
                }
                ZorvValue {
                    width: Zorv.readoutWidth
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.strengthReadout
                }
            }
        }
    }

    ZorvCard {
        kicker: "Edge"

        ZorvRow {
            title: "Hairline under the menu bar"

            ZorvSwitch {
                objectName: "hairline"
                accessibleName: "Hairline under the menu bar"
                checked: pane.hairline
                onToggled: pane.hairline = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Drop shadow under the menu bar"

            ZorvSwitch {
                objectName: "shadow"
                accessibleName: "Drop shadow under the menu bar"
                checked: pane.shadow
                onToggled: pane.shadow = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Rounded corners"
            note: "Shows only with a tint on."

            Row {
                spacing: 8

                PaneSlider {
                    objectName: "corners"
                    width: Zorv.sliderWidth
                    anchors.verticalCenter: parent.verticalCenter
                    from: 0
                    to: 12
                    stepSize: 1
                    snapMode: PaneSlider.SnapAlways
                    value: pane.cornerRadius
                    onMoved: pane.cornerRadius = value
                }
                ZorvValue {
                    width: Zorv.readoutWidth
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.cornerReadout
                }
            }
        }
    }

    ZorvCard {
        kicker: "Icons"

        ZorvRow {
            title: "Pixel-perfect icons"
            note: "Shows each item's real pixels. Needs Screen Recording."

            ZorvSwitch {
                objectName: "pixelPerfect"
                accessibleName: "Pixel-perfect icons"
                checked: pane.pixelPerfectIcons
                onToggled: pane.pixelPerfectIcons = checked
            }
        }
    }
}
