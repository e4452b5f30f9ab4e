#pragma once

#include "about/aboutcontent.h"
#include "buildstamp/build.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>

#include <functional>
#include <memory>

class QQmlEngine;

namespace zorv {

class AppWindow;
class AppWindows;

// The about panel: the application's icon, name, version and build, and the credits with the
// product's and the maker's web sites. show() brings this application forward, then makes the
// panel on first use and puts it in front, centred on its screen; later calls bring the same
// panel forward. Main thread.
class AboutPanel : public QObject {
    Q_OBJECT

public:
    static constexpr int panelWidth = 284;

    struct Services {
        QQmlEngine &engine;
        AppWindows &windows;
        // This application's icon.
        QImage icon;
        std::function<void(const QUrl &)> openUrl;
        std::function<void()> activateApp;
    };

    AboutPanel(Build build, Services services, QObject *parent = nullptr);
    ~AboutPanel() override;

    void show();

    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppWindow *appWindow() const { return m_appWindow.get(); }
    [[nodiscard]] static QUrl viewUrl();

private:
    Build m_build;
    Services m_services;
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<AppWindow> m_appWindow;
};

} // namespace zorv
