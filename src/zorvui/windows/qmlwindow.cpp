#include "qmlwindow.h"

#include <QQmlComponent>
#include <QQuickWindow>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

std::unique_ptr<QQuickWindow> makeQmlWindow(QQmlEngine &engine, const QUrl &url,
                                            const QVariantMap &properties, const QString &what) {
    QQmlComponent component(&engine, url);
    std::unique_ptr<QObject> created(
        component.isReady() ? component.createWithInitialProperties(properties) : nullptr);
    auto *window = qobject_cast<QQuickWindow *>(created.get());
    if (!window) {
        qWarning().noquote() << what << "could not be made:"
                             << (component.isError() ? component.errorString()
                                                     : u"it is not a window"_s);
        return nullptr;
    }
    created.release();
    return std::unique_ptr<QQuickWindow>(window);
}

} // namespace zorv
