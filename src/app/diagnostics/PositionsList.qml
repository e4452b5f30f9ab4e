import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zorv.Desktop

// Where every status item stands on each screen's bar, left to right.
ListView {
    id: root

    clip: true
    // Rows are made as they scroll into sight, never ahead in the background: rows go as items
    // quit and displays go, and a row still being made then would be cancelled after it is gone.
    cacheBuffer: 0
    header: RowLayout {
        width: ListView.view.width

        Label { text: qsTr("Application"); Layout.preferredWidth: 95; font.bold: true; textFormat: Text.PlainText }
        Label { text: qsTr("Item"); Layout.fillWidth: true; font.bold: true; textFormat: Text.PlainText }
        Label { text: qsTr("x"); Layout.preferredWidth: 42; font.bold: true; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
        Label { text: qsTr("width"); Layout.preferredWidth: 40; font.bold: true; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
        Label { text: qsTr("state"); Layout.preferredWidth: 105; font.bold: true; textFormat: Text.PlainText }
        Label { text: qsTr("section"); Layout.preferredWidth: 80; font.bold: true; textFormat: Text.PlainText }
    }
    delegate: ColumnLayout {
        id: row

        required property string screenName
        required property bool startsScreen
        required property string application
        required property string name
        required property real itemX
        required property real itemWidth
        required property bool shown
        required property string placement
        required property string section

        width: ListView.view.width
        spacing: 0

        Label {
            visible: row.startsScreen
            topPadding: 10
            bottomPadding: 4
            text: row.screenName
            textFormat: Text.PlainText
            font.bold: true
        }
        RowLayout {
            opacity: row.shown ? 1.0 : 0.55

            Label { text: row.application; textFormat: Text.PlainText; Layout.preferredWidth: 95; elide: Text.ElideRight }
            Label { text: row.name; textFormat: Text.PlainText; Layout.fillWidth: true; elide: Text.ElideRight }
            Label { text: Math.round(row.itemX * 10) / 10; Layout.preferredWidth: 42; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
            Label { text: Math.round(row.itemWidth * 10) / 10; Layout.preferredWidth: 40; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
            Label { text: row.placement; Layout.preferredWidth: 105; elide: Text.ElideRight; textFormat: Text.PlainText }
            Label { text: row.section; Layout.preferredWidth: 80; elide: Text.ElideRight; textFormat: Text.PlainText }
        }
    }
}
