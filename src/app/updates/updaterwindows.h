#pragma once

#include "updates/updaterwindow.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>

#include <memory>
#include <optional>

class QQmlEngine;

namespace zorv {

class AppWindow;
class AppWindows;
class Application;
class SimUpdater;
class UpdaterWindowContent;

// The update framework's windows on the simulated Mac. The framework runs in this application's
// process, so its windows are this application's: listed and drawn with the others. Whenever the
// framework shows a window, this brings the application forward and puts the window in front with
// the keyboard, centred, and brings it there again when a check is asked for while it is open;
// when the framework closes it, it goes, and the keyboard goes back to the window that had it
// before. The update window is titled and closable (the close button and Command-W remind later,
// hiding the application does not); the alerts have no title bar. None of them can be resized or
// minimised. Escape answers with the window's cancel button. Main thread.
class UpdaterWindows : public QObject {
    Q_OBJECT

public:
    struct Services {
        QQmlEngine &engine;
        AppWindows &windows;
        // This application's icon.
        QImage icon;
        Application &application;
    };

    // The updater must outlive this.
    UpdaterWindows(SimUpdater &updater, Services services, QObject *parent = nullptr);
    ~UpdaterWindows() override;

    // The window shown; null when none is.
    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppWindow *appWindow() const { return m_appWindow.get(); }

private:
    // Brings the shown window in line with the framework's.
    void follow();
    void open(const UpdaterWindow &shown);
    // The framework's answer to a check asked for while its window is open: the window comes to
    // the front with the keyboard, Zorv with it.
    void bringForward();
    void close();

    SimUpdater &m_updater;
    Services m_services;
    std::optional<UpdaterWindow> m_shown;
    QPointer<QQuickWindow> m_window;
    QPointer<UpdaterWindowContent> m_content;
    std::unique_ptr<AppWindow> m_appWindow;
};

} // namespace zorv
