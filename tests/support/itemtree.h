#pragma once

#include <QQuickItem>
#include <QString>

namespace zorv {

// The item named `objectName` under `item` (itself included), null when there is none or `item`
// is null. Delegates are visual children, not always object children: this searches the item
// tree.
inline QQuickItem *findItem(QQuickItem *item, const QString &objectName) {
    if (!item) {
        return nullptr;
    }
    if (item->objectName() == objectName) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, objectName)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace zorv
