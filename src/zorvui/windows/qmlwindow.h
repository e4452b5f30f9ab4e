#pragma once

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <memory>

class QQmlEngine;
class QQuickWindow;

namespace zorv {

// Makes the window the QML file at `url` describes, with `properties` set before its bindings
// first run. Null when the file does not load or does not describe a window: a warning then says
// that `what` ("The settings window") could not be made and why, and nothing is left behind.
[[nodiscard]] std::unique_ptr<QQuickWindow> makeQmlWindow(QQmlEngine &engine, const QUrl &url,
                                                          const QVariantMap &properties,
                                                          const QString &what);

} // namespace zorv
