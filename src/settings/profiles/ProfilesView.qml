import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Profiles pane: save the bar as a named profile, then switch, rename, re-capture, give a
// hot key to or delete each saved one.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    // The rename field takes Escape before the window does.
    readonly property bool sheetShown: paneModel.renaming.length > 0

    index: 4
    total: 8
    title: "Profiles"
    blurb: "Save the lanes as they are now, then switch between saved layouts here, from Zorv's menu, or with a trigger."
    savedAt: root.view.lastSavedAt

    ProfilesPaneModel {
        id: paneModel

        view: root.view
    }

    ZorvCard {
        kicker: "New Profile"

        ZorvRow {
            title: "Save the current layout as"

            Row {
                spacing: 8

                ZorvTextField {
                    objectName: "newName"
                    width: 170
                    anchors.verticalCenter: parent.verticalCenter
                    title: "Work"
                    prompt: "Work"
                    text: paneModel.newName
                    onTextChanged: paneModel.newName = text
                    Keys.onReturnPressed: paneModel.save()
                    Keys.onEnterPressed: paneModel.save()
                }
                ZorvAccentButton {
                    objectName: "saveProfile"
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Save Profile"
                    enabled: paneModel.canSave
                    onClicked: paneModel.save()
                }
            }
        }
    }

    ZorvCard {
        objectName: "profileList"
        kicker: paneModel.listKicker

        ZorvWideRow {
            visible: paneModel.profiles.count === 0

            Text {
                width: parent.width
                text: "Arrange your bar in Menu Bar Layout, then save it here."
                textFormat: Text.PlainText
                font.pixelSize: 12
                color: Zorv.ink2
                wrapMode: Text.Wrap
            }
        }
        Repeater {
            model: paneModel.profiles

            delegate: ProfileRow {
                pane: paneModel
            }
        }
    }
}
