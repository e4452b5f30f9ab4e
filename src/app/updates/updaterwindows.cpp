#include "updaterwindows.h"

#include "about/appicon.h"
#include "application.h"
#include "appwindow.h"
#include "updates/simupdater.h"
#include "updates/updaterwindowcontent.h"
#include "windows/qmlwindow.h"
#include "windows/standardwindow.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QUrl viewUrl(bool offersUpdate) {
    return QUrl(offersUpdate ? u"qrc:/Zorv/Desktop/updates/SoftwareUpdateWindow.qml"_s
                             : u"qrc:/Zorv/Desktop/updates/UpdaterAlert.qml"_s);
}

} // namespace

UpdaterWindows::UpdaterWindows(SimUpdater &updater, Services services, QObject *parent)
    : QObject(parent), m_updater(updater), m_services(std::move(services)) {
    connect(&m_updater, &SimUpdater::windowChanged, this, &UpdaterWindows::follow);
    connect(&m_updater, &SimUpdater::windowBroughtForward, this, &UpdaterWindows::bringForward);
    follow();
}

UpdaterWindows::~UpdaterWindows() {
    close();
}

void UpdaterWindows::follow() {
    if (m_window && m_shown == m_updater.window()) {
        return;
    }
    close();
    if (const std::optional<UpdaterWindow> &shown = m_updater.window()) {
        open(*shown);
    }
}

void UpdaterWindows::open(const UpdaterWindow &shown) {
    const bool offersUpdate = shown.kind == UpdaterWindow::Kind::UpdateFound;
    auto *content = new UpdaterWindowContent(shown, m_updater);
    QQuickWindow *window =
        makeQmlWindow(m_services.engine, viewUrl(offersUpdate),
                      {{u"content"_s, QVariant::fromValue(content)},
                       {u"iconSource"_s, AppIcon::source(m_services.engine, m_services.icon)}},
                      u"The update window"_s)
            .release();
    if (!window) {
        delete content;
        return;
    }
    content->setParent(window);
    window->setTitle(UpdaterWindow::title);
    m_shown = shown;
    m_window = window;
    m_content = content;
    m_appWindow = m_services.windows.adopt(*window);
    WindowStyle style = m_appWindow->style();
    style.titled = offersUpdate;
    style.closable = offersUpdate;
    style.closeButtonOnly = offersUpdate;
    m_appWindow->setStyle(style);
    connect(m_appWindow.get(), &AppWindow::cancelRequested, content, &UpdaterWindowContent::cancel);
    // The close button and Command-W order the window out without an answer: it reminds later,
    // once the window server is done closing the window, which the answer takes away.
    connect(window, &QWindow::visibleChanged, content, [this, content](bool visible) {
        if (!visible && !m_services.application.isHidden()) {
            QMetaObject::invokeMethod(content, &UpdaterWindowContent::cancel, Qt::QueuedConnection);
        }
    });
    m_services.application.activate(true);
    StandardWindow::present(*m_appWindow, window->property("contentSize").toSizeF());
}

void UpdaterWindows::bringForward() {
    if (!m_appWindow) {
        return;
    }
    m_services.application.activate(true);
    m_appWindow->makeKeyAndOrderFront();
}

void UpdaterWindows::close() {
    m_shown.reset();
    if (!m_window) {
        return;
    }
    // Its going is the framework's doing: no answer comes from it.
    QQuickWindow *window = std::exchange(m_window, nullptr);
    if (m_content) {
        disconnect(window, &QWindow::visibleChanged, m_content, nullptr);
    }
    m_appWindow.reset();
    window->close();
    window->deleteLater();
}

} // namespace zorv
