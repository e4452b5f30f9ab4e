import QtQuick
import Zorv.UI
import Zorv.Model
import Zorv.Settings

// The Search pane of the settings window: the shortcut that opens search, and per item an alias
// that search also matches (the suggested one shows while the field is empty) and a hot key that
// opens the item from any app.
ZorvPane {
    id: pane

    required property ModelView view
    required property SettingsServices services
    readonly property SearchPaneModel settings: SearchPaneModel {
        view: pane.view
    }

    index: pane.settings.paneIndex
    total: pane.settings.paneCount
    title: "Search"
    savedAt: pane.settings.savedAt

    Component.onCompleted: pane.settings.appeared()

    Binding {
        target: pane.settings
        property: "ink"
        value: Zorv.ink
    }

    ZorvCard {
        kicker: "Shortcut"

        ZorvRow {
            title: "Open search"
            note: "Type part of a name, then press {return} to open it."

            ShortcutRecorder {
                objectName: "searchShortcut"
                current: pane.settings.searchShortcut
                defaultDisplay: "⌥⌘F"
                onRecorded: function(shortcut) { pane.settings.setSearchShortcut(shortcut) }
            }
        }
    }

    ZorvCard {
        kicker: "Aliases and Hotkeys"

        ZorvWideRow {
            visible: pane.settings.count === 0

            Text {
                objectName: "noItems"
                width: parent.width
                text: "Menu bar items show here once Zorv has Accessibility (see Menu Bar Layout)."
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font.pixelSize: 12
                color: Zorv.ink2
            }
        }

        Repeater {
            model: pane.settings

            delegate: Column {
                id: entry

                required property int index
                required property string name
                required property string alias
                required property string prompt
                required property var hotkey
                required property url picture

                objectName: "item-" + entry.index
                width: parent ? parent.width : 0

                ZorvRule {
                    objectName: "rule"
                    visible: entry.index > 0
                }

                ZorvRow {
                    width: entry.width
                    title: entry.name
                    icon: entry.picture

                    Row {
                        spacing: 8

                        ZorvTextField {
                            objectName: "alias"
                            width: 130
                            title: "Alias for " + entry.name
                            prompt: entry.prompt
                            text: entry.alias
                            onTextChanged: {
                                if (text !== entry.alias)
                                    pane.settings.setAlias(entry.index, text);
                            }
                        }

                        ShortcutRecorder {
                            objectName: "hotkey"
                            width: 162
                            current: entry.hotkey
                            defaultDisplay: "Add Hotkey"
                            onRecorded: function(shortcut) { pane.settings.setHotkey(entry.index, shortcut) }
                        }
                    }
                }
            }
        }
    }

    ZorvNote {
        text: "An alias is another name search matches. The name shown in each box already works; type your own to replace it. A hotkey opens the item from any app."
    }
}
