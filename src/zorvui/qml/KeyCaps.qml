import QtQuick
import Zorv.UI

// A row of key caps, one per label ("⌘", "⇧", "K"), read out by screen readers as words.
KeyCapsPainter {
    id: root

    color: Zorv.ink
    Accessible.role: Accessible.StaticText
    Accessible.name: root.spoken
}
