import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Triggers pane: what the rules see of the Mac right now, the user's rules as sentences with
// their live state, and example rules to start from. Rules are made and changed in the rule
// builder sheet, over the whole window.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    readonly property var pane: paneView.pane
    readonly property var builder: root.pane ? root.pane.builder : null
    readonly property bool sheetShown: !!root.builder

    title: "Triggers"
    blurb: "Rules that react to your Mac: reveal your hidden items when the battery runs low, switch profiles on the office Wi-Fi, move an icon while an app is open."
    savedAt: root.view.lastSavedAt

    RulesPaneView {
        id: paneView

        view: root.view
        services: root.services
        ink: Zorv.ink
    }

    ZorvBanner {
        objectName: "pauseBanner"
        visible: !!root.pane && root.pane.notice.length > 0
        symbol: "pause.circle"
        title: "A rule was paused"

        Text {
            width: parent.width
            text: root.pane ? root.pane.notice : ""
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Zorv.ink2
            wrapMode: Text.Wrap
        }
        Item {
            width: 1
            height: 8
        }
        ZorvOutlineButton {
            objectName: "dismissNotice"
            text: "OK"
            onClicked: root.pane.dismissNotice()
        }
    }

    ZorvCard {
        kicker: "Right Now"

        ZorvWideRow {
            Row {
                objectName: "readout"
                spacing: 18

                Repeater {
                    model: root.pane ? root.pane.readout : []

                    delegate: Loader {
                        id: element

                        required property var modelData

                        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                        sourceComponent: element.modelData.kind === "pill" ? pill : locationButton

                        Component {
                            id: pill

                            Row {
                                spacing: 5

                                SymbolImage {
                                    anchors.verticalCenter: parent.verticalCenter
                                    name: element.modelData.symbol
                                    size: 11
                                    color: Zorv.ink2
                                }
                                Text {
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: element.modelData.text
                                    textFormat: Text.PlainText
                                    font: Zorv.mono(11, Font.Normal)
                                    color: Zorv.ink2
                                }
                            }
                        }
                        Component {
                            id: locationButton

                            T.AbstractButton {
                                id: button

                                objectName: "showWifiName"
                                implicitWidth: buttonLabel.implicitWidth
                                implicitHeight: buttonLabel.implicitHeight
                                Accessible.role: Accessible.Button
                                Accessible.name: element.modelData.text
                                ToolTip.visible: button.hovered
                                ToolTip.delay: 600
                                ToolTip.text: "macOS only shares the Wi-Fi network name with apps that have Location access."
                                onClicked: root.pane.requestLocation()

                                contentItem: Row {
                                    id: buttonLabel

                                    spacing: 5
                                    opacity: button.down ? 0.6 : 1

                                    SymbolImage {
                                        anchors.verticalCenter: parent.verticalCenter
                                        name: element.modelData.symbol
                                        size: 11
                                        color: Zorv.honeyInk
                                    }
                                    Text {
                                        anchors.verticalCenter: parent.verticalCenter
                                        text: element.modelData.text
                                        textFormat: Text.PlainText
                                        font: Zorv.mono(11, Font.Normal)
                                        color: Zorv.honeyInk
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }

    ZorvCard {
        kicker: root.pane ? root.pane.rulesKicker : ""

        ZorvWideRow {
            visible: !!root.pane && !root.pane.hasRules

            Item {
                width: parent.width
                height: emptyAdd.height

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - emptyAdd.width - 12
                    text: "Add a rule and your menu bar reacts on its own."
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: Zorv.ink2
                    wrapMode: Text.Wrap
                }
                ZorvAccentButton {
                    id: emptyAdd

                    objectName: "addRuleEmpty"
                    anchors.right: parent.right
                    text: "Add Rule"
                    onClicked: root.pane.newRule()
                }
            }
        }
        Repeater {
            model: root.view.rules

            delegate: Column {
                id: rule

                required property int index
                required property string id
                required property string name
                required property bool enabled
                required property string sentence
                required property bool activeNow
                required property bool suspended

                width: parent ? parent.width : 0

                ZorvRule {
                    visible: rule.index > 0
                }
                Item {
                    objectName: "ruleRow" + rule.index
                    width: parent.width
                    height: texts.implicitHeight + 22

                    Column {
                        id: texts

                        x: 16
                        y: 11
                        width: parent.width - 32 - controls.width - 8
                        spacing: 2

                        Row {
                            spacing: 8

                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                width: Math.min(implicitWidth, texts.width - (active.visible ? active.width + 8 : 0))
                                text: rule.name
                                textFormat: Text.PlainText
                                font.pixelSize: 13
                                font.weight: Font.Medium
                                color: Zorv.ink
                                elide: Text.ElideRight
                            }
                            Text {
                                id: active

                                objectName: "activeNow"
                                anchors.verticalCenter: parent.verticalCenter
                                visible: rule.activeNow
                                text: "ACTIVE NOW"
                                textFormat: Text.PlainText
                                font.family: Zorv.monoFamily
                                font.pixelSize: 9
                                font.weight: Font.DemiBold
                                font.letterSpacing: 0.5
                                color: Zorv.honeyInk
                            }
                        }
                        Text {
                            width: parent.width
                            text: rule.sentence
                            textFormat: Text.PlainText
                            font.pixelSize: 11
                            color: Zorv.ink2
                            wrapMode: Text.Wrap
                        }
                        Text {
                            objectName: "pausedLine"
                            width: parent.width
                            visible: rule.suspended
                            text: "PAUSED FOR A MINUTE: IT WAS SWITCHING ON AND OFF TOO FAST"
                            textFormat: Text.PlainText
                            font.family: Zorv.monoFamily
                            font.pixelSize: 9
                            font.weight: Font.DemiBold
                            font.letterSpacing: 0.5
                            color: Zorv.honeyInk
                            wrapMode: Text.Wrap
                        }
                    }
                    Row {
                        id: controls

                        anchors.right: parent.right
                        anchors.rightMargin: 16
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 6

                        SymbolButton {
                            objectName: "editRule" + rule.index
                            anchors.verticalCenter: parent.verticalCenter
                            symbol: "pencil"
                            tip: "Edit " + rule.name
                            onClicked: root.pane.editRule(rule.id)
                        }
                        SymbolButton {
                            objectName: "deleteRule" + rule.index
                            anchors.verticalCenter: parent.verticalCenter
                            symbol: "trash"
                            tip: "Delete " + rule.name
                            onClicked: root.view.rules.remove(rule.id)
                        }
                        ZorvSwitch {
                            objectName: "enableRule" + rule.index
                            anchors.verticalCenter: parent.verticalCenter
                            accessibleName: "Enable " + rule.name
                            checked: rule.enabled
                            onToggled: root.view.rules.setEnabled(rule.id, checked)
                        }
                    }
                }
            }
        }
        ZorvWideRow {
            visible: !!root.pane && root.pane.hasRules

            Item {
                width: parent.width
                height: trailingAdd.height

                ZorvAccentButton {
                    id: trailingAdd

                    objectName: "addRule"
                    anchors.right: parent.right
                    text: "Add Rule"
                    onClicked: root.pane.newRule()
                }
            }
        }
    }

    ZorvCard {
        kicker: "Start From An Example"

        ZorvWideRow {
            Text {
                width: parent.width
                text: "Each opens a filled-in New Rule sheet. Nothing is saved until you press Add Rule."
                textFormat: Text.PlainText
                font.pixelSize: 11
                color: Zorv.ink2
                wrapMode: Text.Wrap
            }
        }
        Repeater {
            model: root.pane ? root.pane.examples : []

            delegate: Column {
                id: example

                required property int index
                required property var modelData

                width: parent ? parent.width : 0

                ZorvRule {}
                ZorvRow {
                    title: example.modelData.title
                    note: example.modelData.why
                    slot: 120

                    ZorvOutlineButton {
                        objectName: "fillIn" + example.index
                        width: 120
                        text: "Fill It In\u2026"
                        onClicked: root.pane.fillInExample(example.index)
                    }
                }
            }
        }
    }

    TriggerBuilder {
        parent: root.Window.window ? root.Window.window.contentItem : root
        anchors.fill: parent
        builder: root.builder
    }
}
