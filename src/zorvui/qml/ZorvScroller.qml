import QtQuick
import QtQuick.Templates as T
import Zorv.UI

// A column that scrolls up and down, stopping at its ends, with a thin scroll bar. As a Mac's
// scroll view does, it follows a scroll over it at once, by the scroll's pixels, and while it or
// a control in it has the keyboard, Page Down and Page Up scroll it by its height less a line
// kept in view.
Flickable {
    id: root

    // What stays in view of the last page after a page is scrolled.
    readonly property real pageOverlap: 10
    // A wheel's notch when a scroll comes without pixels: three lines.
    readonly property real notch: 30

    function scrollBy(pixels) {
        const bottom = Math.max(0, root.contentHeight - root.height);
        root.contentY = Math.min(bottom, Math.max(0, root.contentY + pixels));
    }

    contentWidth: width
    boundsBehavior: Flickable.StopAtBounds
    clip: true
    T.ScrollBar.vertical: ZorvScrollBar {}

    Keys.onPressed: event => {
        if (event.key !== Qt.Key_PageDown && event.key !== Qt.Key_PageUp)
            return;
        const page = Math.max(0, root.height - root.pageOverlap);
        root.scrollBy(event.key === Qt.Key_PageDown ? page : -page);
        event.accepted = true;
    }

    WheelHandler {
        target: null
        onWheel: event => {
            const pixels = event.pixelDelta.y !== 0 ? event.pixelDelta.y
                                                    : event.angleDelta.y / 120 * root.notch;
            root.scrollBy(-pixels);
            event.accepted = true;
        }
    }
}
