#pragma once

#include <QList>
#include <QObject>

namespace zorv {

// Cuts every connection in `connections` and empties it: how an object lets go of the source it
// was watching before it watches another.
inline void disconnectAll(QList<QMetaObject::Connection> &connections) {
    for (const QMetaObject::Connection &connection : std::as_const(connections)) {
        QObject::disconnect(connection);
    }
    connections.clear();
}

} // namespace zorv
