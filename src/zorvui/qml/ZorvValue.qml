import QtQuick
import Zorv.UI

// A value readout beside a slider or in a row.
Text {
    textFormat: Text.PlainText
    font: Zorv.mono(12, Font.Normal)
    color: Zorv.ink2
}
