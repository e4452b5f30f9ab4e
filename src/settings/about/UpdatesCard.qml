import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The About pane's updates card: the status with the buttons that fit it, and the automatic
// check switch once the updater has told how it is set.
ZorvCard {
    id: root

    required property ModelView view
    required property SettingsServices services

    kicker: "Updates"

    UpdatesCardModel {
        id: card

        view: root.view
        services: root.services
    }

    ZorvRow {
        title: card.statusLine
        note: card.note

        Row {
            spacing: 8

            ZorvOutlineButton {
                objectName: "releaseNotes"
                anchors.verticalCenter: parent.verticalCenter
                visible: card.offered && card.releaseNotesShown
                text: "Release Notes"
                onClicked: card.openReleaseNotes()
            }
            ZorvAccentButton {
                objectName: "install"
                anchors.verticalCenter: parent.verticalCenter
                visible: card.offered
                text: card.installTitle
                onClicked: card.install()
            }
            ZorvOutlineButton {
                objectName: "checkNow"
                anchors.verticalCenter: parent.verticalCenter
                visible: !card.offered
                enabled: card.checkNowEnabled
                text: "Check Now"
                onClicked: card.checkNow()
            }
        }
    }
    ZorvRule {
        visible: card.automaticChecksShown
    }
    ZorvRow {
        visible: card.automaticChecksShown
        title: "Check for updates automatically"
        note: "Once a day."

        ZorvSwitch {
            objectName: "automaticChecks"
            accessibleName: "Check for updates automatically"
            checked: card.automaticChecks
            onToggled: card.automaticChecks = checked
        }
    }
}
