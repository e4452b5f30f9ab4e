#include "focusedcontrol.h"

#include <QQuickItem>
#include <QQuickWindow>

namespace zorv {

QQuickItem *focusedControl(QQuickWindow &window) {
    if (QQuickItem *active = window.activeFocusItem(); active && active != window.contentItem()) {
        return active;
    }
    QQuickItem *item = window.contentItem();
    while (item && item->isFocusScope() && item->scopedFocusItem()) {
        item = item->scopedFocusItem();
    }
    return item == window.contentItem() ? nullptr : item;
}

} // namespace zorv
