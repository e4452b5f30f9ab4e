import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Settings

// The settings window: the rail of panes on the left, the selected pane above the guide strip on
// the right, and the pane guide card over both while one is up. Escape is the card's Done while it
// is up, or else closes the window; while an import is committed it does nothing.
Window {
    id: root

    required property SettingsWindowModel model
    readonly property bool guideShown: root.model.guidePane.length > 0
    readonly property Item paneItem: detail.item
    // The transparent title bar over the top of the window: the rail's rows keep clear of its
    // buttons, and the rail's colour reaches under it.
    readonly property int titleBarHeight: 28

    signal closeRequested()

    color: Zorv.paper

    // The pane has the keyboard back once the guide card goes.
    onGuideShownChanged: {
        if (!root.guideShown)
            detail.forceActiveFocus();
    }

    Item {
        id: content

        anchors.fill: parent
        // While an import is committed, or while the guide card is up, nothing in the window
        // reacts. The sheet's mouse area alone does not keep the card's input: Qt still hands
        // hovering and presses to the pointer handlers under it, and a lane's chip under Done
        // would take the click.
        enabled: !root.model.view.isImporting && !root.guideShown

        SettingsRail {
            id: rail

            width: 214
            height: parent.height
            topInset: root.titleBarHeight
            model: root.model
        }

        Loader {
            id: detail

            x: rail.width
            width: parent.width - rail.width
            height: parent.height - strip.height
            focus: true

            function load() {
                detail.setSource(root.model.paneSource, {
                    view: root.model.view,
                    services: root.model.services
                });
            }

            Connections {
                target: root.model

                function onPaneChanged() {
                    detail.load();
                }
            }
            Component.onCompleted: detail.load()
        }

        GuideStrip {
            id: strip

            x: rail.width
            y: parent.height - height
            width: parent.width - rail.width
            subtitle: root.model.subtitle
            onGuideRequested: root.model.openGuide()
        }
    }

    // The guide card as a sheet: the window behind it takes no input.
    Rectangle {
        anchors.fill: parent
        visible: root.guideShown
        color: Qt.rgba(0, 0, 0, 0.28)

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onWheel: wheel => wheel.accepted = true
        }
        PaneGuideCard {
            objectName: "guideCard"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 28
            title: root.model.guideTitle
            symbol: root.model.guideSymbol
            steps: root.model.guideSteps
            onDone: root.model.finishGuide()
        }
    }

    Shortcut {
        // A pane's own sheet takes Escape first.
        enabled: !root.model.view.isImporting && !(root.paneItem && root.paneItem.sheetShown)
        sequences: [StandardKey.Cancel]
        onActivated: root.guideShown ? root.model.finishGuide() : root.closeRequested()
    }
}
