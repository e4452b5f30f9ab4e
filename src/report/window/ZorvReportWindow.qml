import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Report

// The report window with this application's own content.
Window {
    id: root

    required property ZorvReportContent content

    flags: Qt.Window | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: Zorv.paper

    ReportSheet {
        anchors.fill: parent
        content: root.content
    }
}
