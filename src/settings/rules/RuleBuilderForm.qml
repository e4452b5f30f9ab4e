import QtQuick
import Zorv.UI
import Zorv.Settings

// The rule builder's content (see RuleBuilderSheet): header with the live sentence, the When,
// Do This and Name cards in a scrolling part that keeps the sheet on screen, and the footer.
Rectangle {
    id: root

    required property var builder
    // The room the sheet may take.
    property real availableHeight: 600
    readonly property bool pickerOpen: condition.presented || network.presented
                                       || app.presented || action.presented
                                       || item.presented || profile.presented
    readonly property real chrome: header.height + footer.height + 2

    width: 780
    height: root.chrome + scroller.height
    color: Zorv.paper
    radius: 14
    clip: true

    Column {
        width: parent.width

        Column {
            id: header

            width: parent.width
            leftPadding: 24
            rightPadding: 24
            topPadding: 22
            bottomPadding: 16
            spacing: 4

            ZorvKicker {
                text: root.builder.heading
            }
            Text {
                objectName: "builderSentence"
                width: header.width - 48
                text: root.builder.sentence
                textFormat: Text.PlainText
                font.pixelSize: 18
                font.bold: true
                color: Zorv.ink
                wrapMode: Text.Wrap
            }
        }
        Rectangle {
            width: parent.width
            height: 1
            color: Zorv.line
        }
        ZorvScroller {
            id: scroller

            objectName: "builderScroller"
            width: parent.width
            height: Math.min(root.builder.sheetScrollHeight(cards.implicitHeight + 48),
                             Math.max(80, root.availableHeight - root.chrome))
            contentHeight: cards.implicitHeight + 48

            Column {
                id: cards

                x: 24
                y: 24
                width: scroller.width - 48
                spacing: 18

                ZorvCard {
                    kicker: "When"

                    ZorvRow {
                        title: "Condition"

                        ZorvPicker {
                            id: condition

                            objectName: "conditionPicker"
                            width: 260
                            title: "Condition"
                            options: root.builder.conditionOptions
                            selection: root.builder.conditionKind
                            placeholder: "Kept as it is"
                            onActivated: value => root.builder.conditionKind = value
                        }
                    }
                    ZorvRule {
                        visible: root.builder.keepsStoredCondition
                    }
                    ZorvRow {
                        visible: root.builder.keepsStoredCondition
                        title: "Combined condition"
                        note: "Made outside this sheet. It stays as it is unless you choose another condition."

                        Text {
                            objectName: "storedCondition"
                            width: 260
                            text: root.builder.storedCondition
                            textFormat: Text.PlainText
                            font.pixelSize: 12
                            color: Zorv.ink
                            wrapMode: Text.Wrap
                        }
                    }
                    ZorvRule {
                        visible: battery.visible
                    }
                    ZorvRow {
                        id: battery

                        visible: root.builder.conditionKind === "batteryBelow"
                        title: "Below"

                        Row {
                            PaneSlider {
                                objectName: "batterySlider"
                                anchors.verticalCenter: parent.verticalCenter
                                from: 5
                                to: 95
                                stepSize: 5
                                snapMode: PaneSlider.SnapAlways
                                value: root.builder.batteryPercent
                                onMoved: root.builder.batteryPercent = Math.round(value)
                            }
                            ZorvValue {
                                anchors.verticalCenter: parent.verticalCenter
                                width: Zorv.readoutWidth
                                rightPadding: 9
                                horizontalAlignment: Text.AlignRight
                                text: root.builder.batteryReadout
                            }
                        }
                    }

                    // The Wi-Fi network.
                    ZorvRule {
                        visible: wifi.visible
                    }
                    ZorvRow {
                        id: wifi

                        visible: root.builder.conditionKind === "wifiSSID"
                        title: "Network"

                        ZorvTextField {
                            objectName: "networkField"
                            width: 260
                            title: "Network"
                            prompt: "Home Wi-Fi"
                            text: root.builder.network
                            onTextChanged: root.builder.network = text
                        }
                    }
                    ZorvRule {
                        visible: pick.visible
                    }
                    ZorvRow {
                        id: pick

                        visible: wifi.visible && root.builder.networkChoices.length > 0
                        title: "Pick a network"
                        note: "Networks this Mac remembers, hotspots included."

                        ZorvPicker {
                            id: network

                            objectName: "networkPicker"
                            width: 260
                            title: "Pick a network"
                            options: root.builder.networkChoices.map(
                                         choice => ({ value: choice.name, label: choice.label }))
                            selection: null
                            placeholder: "Choose\u2026"
                            onActivated: value => {
                                root.builder.chooseNetwork(value);
                                network.selection = null;
                            }
                        }
                    }
                    ZorvRule {
                        visible: location.visible
                    }
                    ZorvRow {
                        id: location

                        visible: wifi.visible && root.builder.needsLocation
                        title: "Needs Location access"
                        note: "Needed for the Wi-Fi name. Zorv doesn't use your location."

                        ZorvAccentButton {
                            objectName: "allowLocation"
                            width: 260
                            text: root.builder.locationButtonTitle
                            onClicked: root.builder.requestLocation()
                        }
                    }

                    // The application.
                    ZorvRule {
                        visible: appRow.visible
                    }
                    ZorvRow {
                        id: appRow

                        visible: root.builder.conditionKind === "appRunning"
                                 || root.builder.conditionKind === "appFrontmost"
                        title: "App"
                        note: "Open apps, or Other App\u2026 for any other."

                        ZorvPicker {
                            id: app

                            objectName: "appPicker"
                            width: 260
                            title: "App"
                            options: root.builder.appOptions
                            selection: root.builder.bundleID
                            placeholder: "Choose an app"
                            extraLabel: "Other App\u2026"
                            extraAction: () => root.builder.chooseApp()
                            onActivated: value => root.builder.bundleID = value
                        }
                    }
                }

                ZorvCard {
                    kicker: "Do This"

                    ZorvRow {
                        title: "Action"

                        ZorvPicker {
                            id: action

                            objectName: "actionPicker"
                            width: 260
                            title: "Action"
                            options: root.builder.actionOptions
                            selection: root.builder.actionKind
                            onActivated: value => root.builder.actionKind = value
                        }
                    }

                    // The menu-bar item.
                    ZorvRule {
                        visible: itemRow.wanted
                    }
                    ZorvWideRow {
                        visible: itemRow.wanted && root.builder.itemOptions.length === 0

                        ZorvNote {
                            width: parent.width
                            text: "Zorv can't see any menu bar items yet. Check Accessibility on the Menu Bar Layout pane."
                        }
                    }
                    ZorvRow {
                        id: itemRow

                        readonly property bool wanted: root.builder.actionKind === "moveItem"
                                                       || root.builder.actionKind === "revealItem"

                        visible: itemRow.wanted && root.builder.itemOptions.length > 0
                        title: "Item"

                        ZorvPicker {
                            id: item

                            objectName: "itemPicker"
                            width: 260
                            title: "Item"
                            options: root.builder.itemOptions
                            selection: root.builder.item
                            placeholder: "Choose an item"
                            onActivated: value => root.builder.item = value
                        }
                    }
                    ZorvRule {
                        visible: lane.visible
                    }
                    ZorvRow {
                        id: lane

                        visible: root.builder.actionKind === "moveItem"
                        title: "Lane"

                        LanePicker {
                            objectName: "lanePicker"
                            width: 260
                            title: "Lane"
                            options: root.builder.laneOptions
                            selection: root.builder.lane
                            onActivated: value => root.builder.lane = value
                        }
                    }

                    // The profile.
                    ZorvRule {
                        visible: root.builder.actionKind === "switchProfile"
                    }
                    ZorvWideRow {
                        visible: root.builder.actionKind === "switchProfile"
                                 && root.builder.profileOptions.length === 0

                        ZorvNote {
                            width: parent.width
                            text: "Save a profile on the Profiles pane first, then come back."
                        }
                    }
                    ZorvRow {
                        visible: root.builder.actionKind === "switchProfile"
                                 && root.builder.profileOptions.length > 0
                        title: "Profile"

                        ZorvPicker {
                            id: profile

                            objectName: "profilePicker"
                            width: 260
                            title: "Profile"
                            options: root.builder.profileOptions
                            selection: root.builder.profile
                            placeholder: "Choose a profile"
                            onActivated: value => root.builder.profile = value
                        }
                    }

                    // The notification.
                    ZorvRule {
                        visible: message.visible
                    }
                    ZorvRow {
                        id: message

                        visible: root.builder.actionKind === "notify"
                        title: "Message"
                        note: "A banner from Zorv, on this Mac. Nothing is sent anywhere."

                        ZorvTextField {
                            objectName: "messageField"
                            width: 260
                            title: "Message"
                            prompt: root.builder.suggestedName
                            text: root.builder.message
                            onTextChanged: root.builder.message = text
                        }
                    }
                    ZorvRule {
                        visible: permission.visible
                    }
                    ZorvRow {
                        id: permission

                        visible: message.visible && root.builder.needsNotificationPermission
                        title: "Needs notification permission"
                        note: "macOS asks once, the first time a rule like this fires."

                        ZorvAccentButton {
                            objectName: "allowNotifications"
                            width: 260
                            text: "Allow Notifications\u2026"
                            onClicked: root.builder.requestNotifications()
                        }
                    }
                }

                ZorvCard {
                    kicker: "Name"

                    ZorvRow {
                        title: "Name"
                        note: root.builder.nameNote

                        ZorvTextField {
                            objectName: "nameField"
                            width: 260
                            title: "Name"
                            prompt: root.builder.suggestedName
                            text: root.builder.name
                            onTextChanged: root.builder.name = text
                        }
                    }
                }
            }
        }
        Rectangle {
            width: parent.width
            height: 1
            color: Zorv.line
        }
        Rectangle {
            id: footer

            width: parent.width
            height: buttons.height + 28
            color: Zorv.paper2
            // Rounded at the sheet's bottom corners only.
            radius: 14

            Rectangle {
                width: parent.width
                height: parent.radius
                color: parent.color
            }

            Row {
                id: buttons

                anchors.right: parent.right
                anchors.rightMargin: 24
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8

                ZorvOutlineButton {
                    objectName: "builderCancel"
                    text: "Cancel"
                    onClicked: root.builder.cancel()
                }
                ZorvAccentButton {
                    objectName: "builderSave"
                    text: root.builder.saveTitle
                    enabled: root.builder.valid
                    onClicked: root.builder.save()
                }
            }
        }
    }
    // The outline, drawn over the content.
    Rectangle {
        anchors.fill: parent
        radius: 14
        color: "transparent"
        border.width: 1.5
        border.color: Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.55)
    }
}
