#include "panelwindow.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

PanelWindow::PanelWindow(std::unique_ptr<QQuickWindow> window, std::unique_ptr<AppWindow> server)
    : m_window(std::move(window)), m_server(std::move(server)) {}

PanelWindow::~PanelWindow() {
    m_server.reset();
}

std::unique_ptr<PanelWindow> PanelWindow::load(QQmlEngine &engine, AppWindows &windows,
                                               const QString &file, const QVariantMap &properties,
                                               Qt::WindowFlags flags, const WindowStyle &style) {
    QQmlComponent component(&engine, QUrl(u"qrc:/Zorv/Panels/qml/"_s + file));
    std::unique_ptr<QObject> created(component.createWithInitialProperties(properties));
    auto *window = qobject_cast<QQuickWindow *>(created.get());
    if (!window) {
        qWarning().noquote() << "The panel" << file
                             << "could not be made:" << component.errorString();
        return nullptr;
    }
    created.release();
    std::unique_ptr<QQuickWindow> owned(window);
    owned->setFlags(flags);
    std::unique_ptr<AppWindow> server = windows.adopt(*owned);
    server->setStyle(style);
    return std::unique_ptr<PanelWindow>(new PanelWindow(std::move(owned), std::move(server)));
}

} // namespace zorv
