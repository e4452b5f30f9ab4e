import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The General pane: where Zorv lives, what its icon's click does, the layout mode, how hidden
// items are revealed, iCloud sync, and the export and import of the setup.
ZorvPane {
    id: root

    required property ModelView view
    required property SettingsServices services
    readonly property bool sheetShown: confirm.visible
    readonly property SettingsProperties settings: root.view.settings

    title: "General"
    savedAt: root.view.lastSavedAt

    GeneralPaneModel {
        id: pane

        view: root.view
        services: root.services
    }
    Component.onCompleted: pane.appear()

    ZorvCard {
        kicker: "Where Zorv Lives"

        ZorvRow {
            title: "Launch Zorv at login"

            ZorvSwitch {
                objectName: "launchAtLogin"
                accessibleName: "Launch Zorv at login"
                checked: pane.launchAtLogin
                onToggled: pane.launchAtLogin = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Show in the Dock and the app switcher"
            note: pane.dockNote

            ZorvSwitch {
                accessibleName: "Show in the Dock and the app switcher"
                checked: root.settings.showInDockAndSwitcher
                onToggled: root.settings.showInDockAndSwitcher = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Hide Zorv's menu bar icon"
            note: pane.hideIconNote

            ZorvSwitch {
                accessibleName: "Hide Zorv's menu bar icon"
                checked: root.settings.hideZorvIcon
                onToggled: root.settings.hideZorvIcon = checked
            }
        }
    }

    Column {
        width: parent.width
        spacing: 8

        ZorvCard {
            kicker: "Icon Click"

            ZorvRow {
                title: "Clicking Zorv's icon"

                SegmentedPicker {
                    value: root.settings.iconClickOpensMenu
                    trueLabel: "Opens Zorv's Menu"
                    falseLabel: "Reveals Hidden Items"
                    onToggled: value => root.settings.iconClickOpensMenu = value
                }
            }
        }
        ZorvNote {
            text: pane.iconClickNote
        }
    }

    Column {
        width: parent.width
        spacing: 8

        ZorvCard {
            kicker: "Layout Mode"

            ZorvRow {
                title: "Arrange the bar"

                SegmentedPicker {
                    value: root.settings.liveLayout
                    trueLabel: "Live"
                    falseLabel: "On-Demand"
                    onToggled: value => root.settings.liveLayout = value
                }
            }
            ZorvRule {}
            ZorvRow {
                title: "Apply your layout now"

                ZorvAccentButton {
                    width: Zorv.controlWidth
                    text: "Sort My Bar"
                    onClicked: root.view.sortMyBar()
                }
            }
        }
        ZorvNote {
            text: pane.layoutNote
        }
    }

    ZorvCard {
        kicker: "Reveal"

        ZorvRow {
            title: "Reveal into a floating bar"
            note: "A strip below the menu bar. {esc} closes it."

            ZorvSwitch {
                accessibleName: "Reveal into a floating bar"
                checked: root.settings.secondaryBarEnabled
                onToggled: root.settings.secondaryBarEnabled = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Auto-hide after"

            Row {
                spacing: 8

                PaneSlider {
                    objectName: "autoHide"
                    width: 190
                    anchors.verticalCenter: parent.verticalCenter
                    from: 0
                    to: 30
                    stepSize: 1
                    value: pane.autoHideSeconds
                    onMoved: root.settings.autoRehideSeconds = value
                }
                ZorvValue {
                    width: 44
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.autoHideReadout
                }
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Reveal on hover over the menu bar"

            ZorvSwitch {
                accessibleName: "Reveal on hover over the menu bar"
                checked: root.settings.revealOnHover
                onToggled: root.settings.revealOnHover = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Reveal on scroll over the menu bar"

            ZorvSwitch {
                accessibleName: "Reveal on scroll over the menu bar"
                checked: root.settings.revealOnScroll
                onToggled: root.settings.revealOnScroll = checked
            }
        }
        ZorvRule {}
        ZorvRow {
            title: "Reveal shortcut"
            note: "Reveals everything, Always Hidden included."

            ShortcutRecorder {
                current: root.settings.revealShortcut
                defaultDisplay: "⌥⌘S"
                onRecorded: shortcut => root.settings.revealShortcut = shortcut
            }
        }
    }

    ZorvCard {
        kicker: "Sync"

        ZorvRow {
            title: "Sync with iCloud"
            note: pane.syncNote

            ZorvSwitch {
                accessibleName: "Sync with iCloud"
                enabled: root.settings.cloudSyncAvailable
                checked: root.settings.cloudSyncEnabled
                onToggled: root.settings.cloudSyncEnabled = checked
            }
        }
        ZorvRule {
            visible: pane.syncStatus.length > 0
        }
        ZorvWideRow {
            visible: pane.syncStatus.length > 0

            Row {
                spacing: 6

                SymbolImage {
                    anchors.verticalCenter: parent.verticalCenter
                    objectName: "syncStatusSymbol"
                    name: "checkmark.icloud"
                    size: 12
                    color: Zorv.ink2
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.syncStatus
                    textFormat: Text.PlainText
                    font.pixelSize: 11
                    color: Zorv.ink2
                }
            }
        }
    }

    ZorvCard {
        kicker: "Backup"

        ZorvRow {
            title: "Export or import your setup"
            note: pane.backupNote

            Row {
                spacing: 8

                ZorvOutlineButton {
                    objectName: "export"
                    text: "Export…"
                    onClicked: pane.exportSetup()
                }
                ZorvOutlineButton {
                    objectName: "import"
                    text: "Import…"
                    onClicked: pane.chooseImport()
                }
            }
        }
        ZorvRule {
            visible: pane.backupPath.length > 0
        }
        ZorvWideRow {
            visible: pane.backupPath.length > 0

            ZorvOutlineButton {
                objectName: "showBackup"
                text: "Show Backup in Finder"
                onClicked: pane.showBackup()
            }
        }
    }

    ConfirmSheet {
        id: confirm

        parent: root
        anchors.fill: parent
        z: 10
        visible: pane.confirmingImport
        title: "Replace your current setup?"
        message: "This replaces layouts, profiles, rules, and portable settings. Zorv keeps a backup first. Login, Dock, and iCloud choices stay with this Mac."
        actionText: "Import Setup"
        onConfirmed: pane.confirmImport()
        onCancelled: pane.cancelImport()
    }
}
