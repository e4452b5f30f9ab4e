#pragma once

#include "appwindow.h"

#include <QQuickWindow>
#include <QString>
#include <QVariantMap>

#include <memory>

class QQmlEngine;

namespace zorv {

class AppWindows;

// One of the panels' windows: a Qt Quick window made from a file of the Zorv.Panels module,
// with its window-server side (level, style, frame, key status). Main thread.
class PanelWindow {
public:
    // Loads "qrc:/Zorv/Panels/qml/<file>" with the initial properties and adopts the window with
    // `style`; null, with a warning, when the file does not give a window.
    [[nodiscard]] static std::unique_ptr<PanelWindow>
    load(QQmlEngine &engine, AppWindows &windows, const QString &file,
         const QVariantMap &properties, Qt::WindowFlags flags, const WindowStyle &style);
    ~PanelWindow();

    PanelWindow(const PanelWindow &) = delete;
    PanelWindow &operator=(const PanelWindow &) = delete;

    [[nodiscard]] QQuickWindow &window() const { return *m_window; }
    [[nodiscard]] AppWindow &server() const { return *m_server; }
    [[nodiscard]] QObject *root() const { return m_window.get(); }

private:
    PanelWindow(std::unique_ptr<QQuickWindow> window, std::unique_ptr<AppWindow> server);

    std::unique_ptr<QQuickWindow> m_window;
    // Goes before the window it stands for.
    std::unique_ptr<AppWindow> m_server;
};

} // namespace zorv
