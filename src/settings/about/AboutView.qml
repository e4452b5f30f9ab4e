import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The About pane: the version and the product's and maker's sites, the data folder, the updates
// card and the way back to the welcome tour and the web site.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    readonly property bool sheetShown: false

    title: "About"

    AboutPaneModel {
        id: pane

        view: root.view
        services: root.services
    }

    component SiteLink: T.AbstractButton {
        id: link

        implicitWidth: label.implicitWidth
        implicitHeight: label.implicitHeight
        Accessible.name: link.text

        contentItem: Text {
            id: label

            text: link.text
            textFormat: Text.PlainText
            font.pixelSize: 12
            font.underline: true
            color: Zorv.honeyInk
        }
    }

    ZorvCard {
        kicker: pane.kicker

        ZorvWideRow {
            Row {
                width: parent.width
                spacing: 16

                Image {
                    visible: pane.iconSource.length > 0
                    width: 72
                    height: 72
                    sourceSize: Qt.size(144, 144)
                    source: pane.iconSource
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                }
                Column {
                    width: parent.width - (pane.iconSource.length > 0 ? 72 + 16 : 0)
                    spacing: 6

                    Text {
                        text: "A menu bar that keeps only what you want."
                        textFormat: Text.PlainText
                        font.pixelSize: 14
                        font.weight: Font.DemiBold
                        color: Zorv.ink
                    }
                    Text {
                        text: "No telemetry. No account. No subscription."
                        textFormat: Text.PlainText
                        font.pixelSize: 12
                        color: Zorv.ink2
                    }
                    Row {
                        spacing: 12

                        SiteLink {
                            objectName: "productLink"
                            text: "Zorv"
                            onClicked: pane.openProductSite()
                        }
                        SiteLink {
                            objectName: "makerLink"
                            text: "Brindlecot"
                            onClicked: pane.openMakerSite()
                        }
                    }
                    Text {
                        topPadding: 2
                        width: parent.width
                        text: pane.credit
                        textFormat: Text.PlainText
                        font: Zorv.mono(10, Font.Normal)
                        color: Zorv.ink2
                        opacity: 0.8
                        elide: Text.ElideRight
                    }
                }
            }
        }
    }

    ZorvCard {
        kicker: "Your Data"

        ZorvWideRow {
            Row {
                width: parent.width
                spacing: 12

                Rectangle {
                    width: parent.width - show.width - parent.spacing
                    height: folderRow.implicitHeight + 18
                    anchors.verticalCenter: parent.verticalCenter
                    radius: 6
                    color: Zorv.paper2
                    border.width: 1
                    border.color: Zorv.line

                    Row {
                        id: folderRow

                        x: 9
                        y: 9
                        width: parent.width - 18
                        spacing: 6

                        SymbolImage {
                            id: folderSymbol

                            anchors.verticalCenter: parent.verticalCenter
                            name: "folder"
                            size: 12
                            color: Zorv.ink2
                        }
                        Text {
                            objectName: "dataFolder"
                            anchors.verticalCenter: parent.verticalCenter
                            width: parent.width - folderSymbol.width - parent.spacing
                            text: pane.dataFolder
                            textFormat: Text.PlainText
                            font: Zorv.mono(11, Font.Normal)
                            color: Zorv.ink2
                            elide: Text.ElideMiddle
                        }
                    }
                }
                ZorvOutlineButton {
                    id: show

                    objectName: "showInFinder"
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Show in Finder"
                    onClicked: pane.showDataFolder()
                }
            }
        }
    }

    UpdatesCard {
        view: root.view
        services: root.services
    }

    ZorvCard {
        kicker: "Help"

        ZorvRow {
            title: "Welcome tour"
            note: "The screens from your first launch."

            ZorvOutlineButton {
                objectName: "replayTour"
                text: "Replay Welcome Tour"
                onClicked: pane.replayWelcomeTour()
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Support and release notes"
            note: pane.supportNote

            ZorvOutlineButton {
                objectName: "openWebsite"
                text: "Open Zorv Website"
                onClicked: pane.openProductSite()
            }
        }
    }
}
