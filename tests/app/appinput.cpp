#include "appinput.h"

#include "simulateddesktop.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickWindow>

namespace zorv {

QQuickItem *findIn(QQuickItem *item, const QString &name) {
    if (item->objectName() == name && item->isVisible()) {
        return item;
    }
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findIn(child, name)) {
            return found;
        }
    }
    return nullptr;
}

SimAppWindow *serverOf(SimulatedDesktop &mac, const QWindow *window) {
    for (SimAppWindow *adopted : mac.appWindows().windows()) {
        if (adopted->window() == window) {
            return adopted;
        }
    }
    return nullptr;
}

std::optional<QPointF> pointOf(SimulatedDesktop &mac, QQuickWindow *window, const QString &name,
                               QPointF fraction) {
    SimAppWindow *server = window ? serverOf(mac, window) : nullptr;
    QQuickItem *item = window ? findIn(window->contentItem(), name) : nullptr;
    if (!server || !item) {
        ADD_FAILURE() << "no control " << name.toStdString();
        return std::nullopt;
    }
    const QPointF inItem(item->width() * fraction.x(), item->height() * fraction.y());
    return server->record().frame.topLeft() + item->mapToScene(inItem);
}

QQuickWindow *shownWindowWith(SimulatedDesktop &mac, const QString &name) {
    for (SimAppWindow *adopted : mac.appWindows().windows()) {
        auto *window = qobject_cast<QQuickWindow *>(adopted->window());
        if (adopted->record().visible && window && findIn(window->contentItem(), name)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace zorv
