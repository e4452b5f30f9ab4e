import QtQuick
import Zorv.UI

// A status-menu row drawn by the kit (TrailingMenuRow): a symbol, the title and key caps or a
// short text at the trailing edge. The menu sets its colours, width and highlight.
TrailingMenuRow {
    height: 24
    Accessible.role: Accessible.MenuItem
    Accessible.name: title
}
