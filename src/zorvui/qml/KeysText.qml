import QtQuick
import Zorv.UI

// Running text in which every "{token}" shows as inline key caps ("Hold {option} and click");
// everything else is shown exactly as written, as plain text. Stretches to its parent's width
// and wraps between words; a word wider than the line breaks anywhere. The caps are the kit's
// own items, placed on whole pixels and drawn at the screen's pixel ratio, centred between the
// ascender and descender lines of the text; a space in the text is one space wide on either side
// of a cap, and a cap written against a character stays 2 apart from it.
Item {
    id: root

    property string keysText
    property font font: Qt.font({ pixelSize: 12 })
    property color color: Zorv.ink
    property real topPadding: 0

    readonly property real lineHeight: Math.ceil(metrics.height)
    readonly property real spaceWidth: metrics.advanceWidth(" ")
    // Caps of the prose weight, at the text's size.
    readonly property real capsSize: root.font.pixelSize > 0 ? root.font.pixelSize
                                                              : root.font.pointSize

    width: parent ? parent.width : 0
    implicitHeight: root.topPadding + paragraphs.implicitHeight
    Accessible.role: Accessible.StaticText
    Accessible.name: Zorv.keysSpoken(root.keysText)

    FontMetrics {
        id: metrics

        font: root.font
    }

    Column {
        id: paragraphs

        y: root.topPadding
        width: root.width

        Repeater {
            model: Zorv.keysLayout(root.keysText)

            delegate: Flow {
                id: paragraph

                required property var modelData

                width: root.width
                // An empty line keeps its height.
                height: Math.max(implicitHeight, root.lineHeight)

                Repeater {
                    model: paragraph.modelData

                    delegate: Row {
                        id: word

                        required property var modelData
                        readonly property real trailing: Math.round(
                            word.modelData.spacesAfter * root.spaceWidth)

                        spacing: 2
                        rightPadding: word.trailing

                        Repeater {
                            model: word.modelData.pieces

                            delegate: Item {
                                id: piece

                                required property var modelData
                                readonly property bool isCaps: !!piece.modelData.caps
                                readonly property real natural: piece.isCaps
                                    ? caps.width
                                    : Math.ceil(metrics.advanceWidth(piece.modelData.text))
                                // A word alone wider than the line wraps inside itself.
                                readonly property bool tooWide: !piece.isCaps
                                    && piece.natural > root.width - word.trailing

                                width: piece.tooWide ? Math.max(1, root.width - word.trailing)
                                                     : piece.natural
                                height: piece.isCaps ? root.lineHeight
                                                     : Math.max(root.lineHeight, label.height)

                                Text {
                                    id: label

                                    visible: !piece.isCaps
                                    width: piece.width
                                    text: piece.isCaps ? "" : piece.modelData.text
                                    textFormat: Text.PlainText
                                    font: root.font
                                    color: root.color
                                    wrapMode: piece.tooWide ? Text.WrapAnywhere : Text.NoWrap
                                }
                                KeyCaps {
                                    id: caps

                                    visible: piece.isCaps
                                    y: Math.round((root.lineHeight - caps.height) / 2)
                                    keys: piece.isCaps ? piece.modelData.caps : []
                                    size: root.capsSize
                                    weight: KeyCapsPainter.Prose
                                    color: root.color
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
