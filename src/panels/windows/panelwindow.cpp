#include "panelwindow.h"

#include "windows/qmlwindow.h"

#include <QQmlEngine>

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
    std::unique_ptr<QQuickWindow> owned = makeQmlWindow(
        engine, QUrl(u"qrc:/Zorv/Panels/qml/"_s + file), properties, u"The panel "_s + file);
    if (!owned) {
        return nullptr;
    }
    owned->setFlags(flags);
    std::unique_ptr<AppWindow> server = windows.adopt(*owned);
    server->setStyle(style);
    return std::unique_ptr<PanelWindow>(new PanelWindow(std::move(owned), std::move(server)));
}

} // namespace zorv
