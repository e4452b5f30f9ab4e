#pragma once

#include <QQuickItem>
#include <QString>

namespace zorv {

// Delegates are visual children, not always object children: search the item tree.
inline QQuickItem *findItem(QQuickItem *item, const QString &objectName) {
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
