#pragma once

#include "welcomewindowmodel.h"

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QSizeF>

#include <functional>
#include <memory>

class QQmlEngine;

namespace zorv {

class AppWindow;
class AppWindows;
class ModelView;

// The welcome window: made on the first show() and presented through the window server at its
// fixed size. Closing it with its close button only orders it out (the tour is not completed, and
// the next show() brings back the same window on the same page). Finishing the tour marks it
// completed and saves the settings, drops the window (the next show() starts a new tour on the
// first page), and, when the user chose Open Menu Bar Layout, asks for the Menu Bar Layout pane
// and runs the follow-up, which opens Settings. Main thread; the engine and the window server
// must outlive it; once the view is gone, show() does nothing.
class OnboardingController : public QObject {
    Q_OBJECT

public:
    static constexpr QSizeF standardSize{560, 440};

    OnboardingController(QQmlEngine &engine, ModelView &view, AppWindows &windows,
                         QObject *parent = nullptr);
    ~OnboardingController() override;

    void show();
    // Run after the tour was finished with Open Menu Bar Layout.
    void setOnFinished(std::function<void()> onFinished) { m_onFinished = std::move(onFinished); }

    // Null until show() and again once the tour is finished.
    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppWindow *appWindow() const { return m_appWindow.get(); }
    [[nodiscard]] WelcomeWindowModel *model() const { return m_model; }

private:
    bool make();
    void finish(bool followUp);
    void drop();

    QQmlEngine &m_engine;
    QPointer<ModelView> m_view;
    AppWindows &m_windows;
    std::function<void()> m_onFinished;
    QPointer<WelcomeWindowModel> m_model;
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<AppWindow> m_appWindow;
};

} // namespace zorv
