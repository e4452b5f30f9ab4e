import QtQuick
import Zorv.UI

// A small upper-case heading above a card.
Text {
    textFormat: Text.PlainText
    font.family: Zorv.monoFamily
    font.pixelSize: 10
    font.weight: Font.DemiBold
    font.capitalization: Font.AllUppercase
    font.letterSpacing: 1.1
    color: Zorv.ink2
}
