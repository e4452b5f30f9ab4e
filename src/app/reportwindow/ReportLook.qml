pragma Singleton
import QtQuick

// The colours and type sizes of the report screens, in one place so the screens can take the
// shared look wholesale.
QtObject {
    readonly property color paper: "#F7F3EC"
    readonly property color paper2: "#EFE8DC"
    readonly property color espresso: "#1B1410"
    readonly property color textOnEspresso: "#F3ECE0"
    readonly property color honey: "#E79A2B"
    readonly property color accentLabel: "#2A1B08"
    readonly property color ink: "#1F1911"
    readonly property color ink2: "#6A5F50"
    readonly property color line: "#DDD3C3"
}
