import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Where every status item stands on each screen's bar, left to right.
ListView {
    id: root

    clip: true
    header: RowLayout {
        width: ListView.view.width

        Label { text: qsTr("Application"); Layout.preferredWidth: 120; font.bold: true }
        Label { text: qsTr("Item"); Layout.fillWidth: true; font.bold: true }
        Label { text: qsTr("x"); Layout.preferredWidth: 50; font.bold: true; horizontalAlignment: Text.AlignRight }
        Label { text: qsTr("width"); Layout.preferredWidth: 45; font.bold: true; horizontalAlignment: Text.AlignRight }
        Label { text: qsTr("state"); Layout.preferredWidth: 170; font.bold: true }
        Label { text: qsTr("section"); Layout.preferredWidth: 95; font.bold: true }
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
            textFormat: Text.PlainText
            visible: row.startsScreen
            topPadding: 10
            bottomPadding: 4
            text: row.screenName
            font.bold: true
        }
        RowLayout {
            opacity: row.shown ? 1.0 : 0.55

            Label { text: row.application; Layout.preferredWidth: 120; elide: Text.ElideRight; textFormat: Text.PlainText }
            Label { text: row.name; Layout.fillWidth: true; elide: Text.ElideRight; textFormat: Text.PlainText }
            Label { text: Math.round(row.itemX * 10) / 10; Layout.preferredWidth: 50; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
            Label { text: Math.round(row.itemWidth * 10) / 10; Layout.preferredWidth: 45; horizontalAlignment: Text.AlignRight; textFormat: Text.PlainText }
            Label { text: row.placement; Layout.preferredWidth: 170; elide: Text.ElideRight; textFormat: Text.PlainText }
            Label { text: row.section; Layout.preferredWidth: 95; elide: Text.ElideRight; textFormat: Text.PlainText }
        }
    }
}
