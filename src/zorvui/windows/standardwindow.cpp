#include "windows/standardwindow.h"

#include "appwindow.h"

#include <QPointer>

#include <memory>

namespace zorv {

void StandardWindow::present(AppWindow &window, std::optional<QSizeF> size) {
    if (window.isVisible()) {
        window.makeKeyAndOrderFront();
        return;
    }
    if (window.isFullScreen()) {
        // One exit notification shows the window; the connection removes itself first, so a later
        // exit does nothing.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&window, &AppWindow::didExitFullScreen, &window,
                                       [connection, &window, size] {
                                           QObject::disconnect(*connection);
                                           show(window, size);
                                       });
        window.toggleFullScreen();
        return;
    }
    show(window, size);
}

void StandardWindow::arrange(AppWindow &window, std::optional<QSizeF> size) {
    if (window.isZoomed()) {
        window.setZoomed(false);
    }
    if (size) {
        window.setContentSize(*size);
    }
    window.center();
}

void StandardWindow::show(AppWindow &window, std::optional<QSizeF> size) {
    arrange(window, size);
    if (window.isMiniaturized()) {
        window.deminiaturize();
    }
    window.makeKeyAndOrderFront();
    QPointer<AppWindow> guard(&window);
    QMetaObject::invokeMethod(
        &window,
        [guard, size] {
            if (guard) {
                arrange(*guard, size);
            }
        },
        Qt::QueuedConnection);
}

} // namespace zorv
