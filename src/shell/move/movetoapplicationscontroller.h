#pragma once

#include "move/applicationsmove.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>

#include <functional>
#include <memory>

class QQmlEngine;

namespace zorv {

class AppModel;
class AppWindow;
class AppWindows;

// The offer, made once at launch, to move the application into Applications: a small floating
// window without a close button ("Move Zorv"). "Not Now" records the refusal in the settings
// (so the offer is not made again), closes the window and calls onDismissed; a successful move
// ends the process; a failed one shows why and lets the user try again. Main thread.
class MoveToApplicationsController : public QObject {
    Q_OBJECT

public:
    static inline const QString windowTitle = QStringLiteral("Move Zorv");

    struct Services {
        QQmlEngine &engine;
        AppWindows &windows;
        // This application's icon.
        QImage icon;
        ApplicationsMove::Services move;
        std::function<void()> activateApp;
    };

    // The model is held weakly; the services must outlive the controller.
    MoveToApplicationsController(AppModel *model, Services services, QObject *parent = nullptr);
    ~MoveToApplicationsController() override;

    // Whether the launch should make the offer at all.
    [[nodiscard]] static bool shouldOffer(const AppModel &model, const BundleLocation &location);

    void show();
    void dismiss();

    // Called once the window has been dismissed with "Not Now".
    std::function<void()> onDismissed;

    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] static QUrl viewUrl();

private Q_SLOTS:
    void fitContent();

private:
    QPointer<AppModel> m_model;
    Services m_services;
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<AppWindow> m_appWindow;
};

} // namespace zorv
