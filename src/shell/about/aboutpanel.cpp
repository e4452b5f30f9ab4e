#include "aboutpanel.h"

#include "about/appicon.h"
#include "appwindow.h"
#include "windows/qmlwindow.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

AboutPanel::AboutPanel(Build build, Services services, QObject *parent)
    : QObject(parent), m_build(std::move(build)), m_services(std::move(services)) {}

AboutPanel::~AboutPanel() {
    m_appWindow.reset();
    delete m_window;
}

QUrl AboutPanel::viewUrl() {
    return QUrl(u"qrc:/Zorv/Shell/about/AboutPanel.qml"_s);
}

void AboutPanel::show() {
    if (m_services.activateApp) {
        m_services.activateApp();
    }
    if (!m_window) {
        auto content = std::make_unique<AboutContent>(m_build, m_services.openUrl);
        QQuickWindow *window =
            makeQmlWindow(m_services.engine, viewUrl(),
                          {{u"content"_s, QVariant::fromValue(content.get())},
                           {u"iconSource"_s, AppIcon::source(m_services.engine, m_services.icon)}},
                          u"The about panel"_s)
                .release();
        if (!window) {
            return;
        }
        content.release()->setParent(window);
        m_window = window;
        m_appWindow = m_services.windows.adopt(*window);
        // The standard panel: titled, with only its close button usable.
        WindowStyle style = m_appWindow->style();
        style.titled = true;
        style.closable = true;
        m_appWindow->setStyle(style);
        m_appWindow->center();
    }
    m_appWindow->makeKeyAndOrderFront();
}

} // namespace zorv
