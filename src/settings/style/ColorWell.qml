import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// A colour well: a swatch of `color` that opens a colour panel below it, a field of saturation
// and brightness over a hue strip. Each colour the user points at is reported through picked();
// the well shows `color` as its owner stores it.
T.AbstractButton {
    id: root

    property color color: "black"
    property alias panelShown: panel.visible

    signal picked(color color)

    implicitWidth: 44
    implicitHeight: 22
    Accessible.name: qsTr("Color")
    onClicked: panel.visible ? panel.close() : panel.open()

    background: Rectangle {
        radius: 6
        color: Zorv.card
        border.width: 1
        border.color: root.down || panel.visible ? Zorv.honey : Zorv.line2

        Rectangle {
            anchors.fill: parent
            anchors.margins: 3
            radius: 4
            color: root.color
            border.width: 1
            border.color: Qt.rgba(0, 0, 0, 0.15)
        }
    }

    T.Popup {
        id: panel

        // Hue, saturation and brightness while the panel is up.
        property real hue: 0
        property real saturation: 0
        property real brightness: 0

        function take() {
            panel.hue = Math.max(0, root.color.hsvHue);
            panel.saturation = root.color.hsvSaturation;
            panel.brightness = root.color.hsvValue;
        }
        function report() {
            root.picked(Qt.hsva(panel.hue, panel.saturation, panel.brightness, 1));
        }

        x: root.width - width
        y: root.height + 6
        width: 208
        implicitHeight: contentItem.implicitHeight + topPadding + bottomPadding
        padding: 10
        focus: true
        closePolicy: T.Popup.CloseOnEscape | T.Popup.CloseOnPressOutsideParent
        onAboutToShow: panel.take()

        background: Rectangle {
            color: Zorv.paper
            radius: 8
            border.width: 1
            border.color: Zorv.line2
        }

        contentItem: Column {
            spacing: 10

            Rectangle {
                id: field

                objectName: "colorField"
                width: 188
                height: 120
                radius: 4
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0; color: "white" }
                    GradientStop { position: 1; color: Qt.hsva(panel.hue, 1, 1, 1) }
                }

                Rectangle {
                    anchors.fill: parent
                    radius: 4
                    gradient: Gradient {
                        GradientStop { position: 0; color: "transparent" }
                        GradientStop { position: 1; color: "black" }
                    }
                }
                Rectangle {
                    x: panel.saturation * field.width - width / 2
                    y: (1 - panel.brightness) * field.height - height / 2
                    width: 12
                    height: 12
                    radius: 6
                    color: "transparent"
                    border.width: 2
                    border.color: "white"
                }
                MouseArea {
                    anchors.fill: parent
                    preventStealing: true

                    function point(mouse) {
                        panel.saturation = Math.min(1, Math.max(0, mouse.x / width));
                        panel.brightness = 1 - Math.min(1, Math.max(0, mouse.y / height));
                        panel.report();
                    }
                    onPressed: mouse => point(mouse)
                    onPositionChanged: mouse => point(mouse)
                }
            }
            Rectangle {
                id: strip

                objectName: "hueStrip"
                width: 188
                height: 14
                radius: 4
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0 / 6; color: "#FF0000" }
                    GradientStop { position: 1 / 6; color: "#FFFF00" }
                    GradientStop { position: 2 / 6; color: "#00FF00" }
                    GradientStop { position: 3 / 6; color: "#00FFFF" }
                    GradientStop { position: 4 / 6; color: "#0000FF" }
                    GradientStop { position: 5 / 6; color: "#FF00FF" }
                    GradientStop { position: 6 / 6; color: "#FF0000" }
                }

                Rectangle {
                    x: panel.hue * strip.width - width / 2
                    y: -2
                    width: 6
                    height: strip.height + 4
                    radius: 2
                    color: "white"
                    border.width: 1
                    border.color: Zorv.line2
                }
                MouseArea {
                    anchors.fill: parent
                    preventStealing: true

                    function point(mouse) {
                        panel.hue = Math.min(1, Math.max(0, mouse.x / width));
                        panel.report();
                    }
                    onPressed: mouse => point(mouse)
                    onPositionChanged: mouse => point(mouse)
                }
            }
        }
    }
}
