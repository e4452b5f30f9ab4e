import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zorv.Desktop

// Zorv's items as its model arranges them, section by section.
ListView {
    id: root

    clip: true
    // Rows are made as they scroll into sight, never ahead in the background: the list empties
    // when the engine stops, and a row still being made then would be cancelled after it is gone.
    cacheBuffer: 0
    delegate: ColumnLayout {
        id: row

        required property string sectionTitle
        required property bool startsSection
        required property string application
        required property string name
        required property bool dormant

        width: ListView.view.width
        spacing: 0

        Label {
            textFormat: Text.PlainText
            visible: row.startsSection
            topPadding: 8
            bottomPadding: 2
            text: row.sectionTitle
            font.bold: true
        }
        RowLayout {
            opacity: row.dormant ? 0.55 : 1.0

            Label {
                text: row.application
                textFormat: Text.PlainText
                Layout.preferredWidth: 120
                elide: Text.ElideRight
            }
            Label {
                text: row.name
                textFormat: Text.PlainText
                Layout.fillWidth: true
                elide: Text.ElideRight
            }
        }
    }
}
