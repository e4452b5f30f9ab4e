import QtQuick
import QtQuick.Controls.Basic
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Menu Bar Layout pane: the three lanes where items are dragged into Shown, Hidden and Always
// Hidden, what keeps the arrangement from the real bar, Zorv's own icon, and a diagnostics line.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    readonly property bool sheetShown: false
    readonly property alias pane: pane
    readonly property alias shownLane: shownLane
    readonly property alias hiddenLane: hiddenLane
    readonly property alias alwaysHiddenLane: alwaysHiddenLane

    title: "Menu Bar Layout"
    blurb: pane.blurb
    savedAt: root.view.lastSavedAt

    LayoutPaneModel {
        id: pane

        view: root.view
        services: root.services
    }
    Component.onCompleted: pane.appear()

    ZorvBanner {
        objectName: "accessibilityBanner"
        visible: pane.accessibilityBannerShown
        symbol: "lock.shield"
        title: "Zorv needs Accessibility to see your menu bar"

        BannerText {
            text: "Turn on Zorv under Privacy & Security → Accessibility. If it's already on, remove it with the minus button and add it again: an entry from an earlier copy of Zorv doesn't work."
        }
        Row {
            topPadding: 8
            spacing: 10

            ZorvAccentButton {
                text: "Open Accessibility Settings"
                onClicked: pane.openAccessibilitySettings()
            }
            ZorvOutlineButton {
                text: "Check Again"
                onClicked: pane.refresh()
            }
        }
    }

    ZorvBanner {
        objectName: "hidingBlockedBanner"
        visible: pane.hidingBlockedTitle.length > 0
        symbol: "arrow.triangle.2.circlepath"
        title: pane.hidingBlockedTitle

        Column {
            width: parent.width
            spacing: 6

            Repeater {
                model: pane.hidingBlockedTexts

                delegate: BannerText {
                    required property string modelData

                    text: modelData
                }
            }
        }
        Item {
            width: 1
            height: 8
        }
        ZorvOutlineButton {
            text: "Try Again Now"
            onClicked: pane.retryHiding()
        }
    }

    ZorvBanner {
        objectName: "otherManagerBanner"
        visible: pane.otherManagerRunning
        symbol: "exclamationmark.triangle"
        title: "Bartender is running"

        BannerText {
            text: "Two menu bar managers undo each other's work, so Zorv stops rearranging while Bartender is open. Quit one of them."
        }
    }

    Column {
        width: parent.width
        spacing: 16

        LayoutLane {
            id: shownLane

            section: "shown"
            view: root.view
            services: root.services
            pane: pane
            preview: preview
        }
        LayoutLane {
            id: hiddenLane

            section: "hidden"
            view: root.view
            services: root.services
            pane: pane
            preview: preview
        }
        LayoutLane {
            id: alwaysHiddenLane

            section: "alwaysHidden"
            view: root.view
            services: root.services
            pane: pane
            preview: preview
        }
    }

    ZorvCard {
        kicker: "Zorv's Own Icon"

        Item {
            width: parent.width
            height: ownIconRow.implicitHeight + 24

            Row {
                id: ownIconRow

                x: 16
                y: 12
                width: parent.width - 32
                spacing: 12

                Image {
                    visible: pane.ownIcon.toString().length > 0
                    anchors.verticalCenter: parent.verticalCenter
                    width: 24
                    height: 24
                    sourceSize: Qt.size(48, 48)
                    source: pane.ownIcon
                    opacity: pane.iconShown ? 1 : 0.4
                    cache: false
                }
                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - x - iconSwitch.width - 12
                    spacing: 3

                    Text {
                        text: "Show in the menu bar"
                        textFormat: Text.PlainText
                        font.pixelSize: 13
                        color: Zorv.ink
                    }
                    KeysText {
                        objectName: "ownIconDescription"
                        keysText: pane.ownIconDescription
                        font.pixelSize: 11
                        color: Zorv.ink2
                    }
                }
            }
            ZorvSwitch {
                id: iconSwitch

                objectName: "ownIconSwitch"
                anchors.right: parent.right
                anchors.rightMargin: 16
                anchors.verticalCenter: ownIconRow.verticalCenter
                accessibleName: "Show Zorv's own icon in the menu bar"
                ToolTip.visible: iconSwitch.hovered
                ToolTip.delay: 600
                ToolTip.text: pane.ownIconHelp
                checked: pane.iconShown
                onToggled: pane.iconShown = checked
            }
        }
    }

    Row {
        objectName: "emptyHint"
        visible: pane.emptyHintShown
        spacing: 10

        ZorvSpinner {
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "Looking for menu bar items. Apps that are still starting can take a moment."
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Zorv.ink2
        }
        ZorvOutlineButton {
            anchors.verticalCenter: parent.verticalCenter
            text: "Re-scan"
            onClicked: pane.refresh()
        }
    }

    Column {
        width: parent.width
        spacing: 8

        FootnoteLabel {
            symbol: "wand.and.stars"
            text: pane.layoutFootnote
        }
        FootnoteLabel {
            symbol: "lock"
            text: "Wi-Fi, battery, the clock and Control Center aren't listed: macOS pins them to the right."
        }
    }

    Item {
        width: parent.width
        height: Math.max(diagnostics.implicitHeight, rescan.implicitHeight)

        Row {
            id: diagnostics

            anchors.verticalCenter: parent.verticalCenter
            spacing: 5

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: pane.diagnosticsOk ? "checkmark.seal.fill" : "xmark.seal"
                size: 11
                color: diagnosticsText.color
            }
            Text {
                id: diagnosticsText

                objectName: "diagnostics"
                anchors.verticalCenter: parent.verticalCenter
                text: pane.diagnostics
                textFormat: Text.PlainText
                font.family: Zorv.monoFamily
                font.pixelSize: 10
                color: pane.diagnosticsOk ? Zorv.ink2 : "#E8820C"
            }
        }
        ZorvOutlineButton {
            id: rescan

            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            text: "Re-scan"
            onClicked: pane.refresh()
        }
    }

    // What follows the pointer while a chip is dragged; lanes take it as the drag's payload.
    Item {
        id: preview

        // The dragged chip's data: its content types with their bytes.
        property var payload: ({})

        function begin(chip, payload) {
            picture.pictureKind = chip.pictureKind;
            picture.picture = chip.picture;
            picture.pictureSize = chip.pictureSize;
            picture.symbol = chip.symbol;
            picture.plate = chip.plate;
            preview.payload = payload;
            preview.visible = true;
        }
        function follow(point) {
            preview.x = point.x - preview.width / 2;
            preview.y = point.y - preview.height / 2;
        }
        function end() {
            if (preview.visible)
                preview.Drag.drop();
            preview.visible = false;
        }

        parent: root
        z: 100
        visible: false
        width: 34
        height: 32
        Drag.active: preview.visible
        Drag.keys: Object.keys(preview.payload)
        Drag.hotSpot: Qt.point(preview.width / 2, preview.height / 2)
        Drag.supportedActions: Qt.MoveAction

        ItemPicture {
            id: picture

            anchors.centerIn: parent
            width: 26
            height: 24
            barMode: pane.barMode
            barIsDark: pane.barIsDark
        }
    }
}
