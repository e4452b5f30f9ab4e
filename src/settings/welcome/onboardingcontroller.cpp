#include "onboardingcontroller.h"

#include "appmodel.h"
#include "appwindow.h"
#include "modelview.h"
#include "settingspane.h"
#include "welcomewindowmodel.h"
#include "windows/qmlwindow.h"
#include "windows/standardwindow.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

OnboardingController::OnboardingController(QQmlEngine &engine, ModelView &view, AppWindows &windows,
                                           QObject *parent)
    : QObject(parent), m_engine(engine), m_view(&view), m_windows(windows) {}

OnboardingController::~OnboardingController() {
    // The window's bindings read the model: the window goes first.
    m_appWindow.reset();
    delete m_window.data();
    delete m_model.data();
}

bool OnboardingController::make() {
    AppModel &app = m_view->model();
    auto model = std::make_unique<WelcomeWindowModel>(*m_view, app.clock(),
                                                      app.services().accessibility, this);
    QQuickWindow *window =
        makeQmlWindow(m_engine, QUrl(u"qrc:/Zorv/Settings/welcome/OnboardingView.qml"_s),
                      {{u"model"_s, QVariant::fromValue(model.get())}}, u"The welcome window"_s)
            .release();
    if (!window) {
        return false;
    }
    window->setTitle(u"Welcome to Zorv"_s);
    // Titled and closable only: neither resized nor minimised.
    window->setFlags((window->flags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint) &
                     ~(Qt::WindowMinMaxButtonsHint | Qt::WindowFullscreenButtonHint));
    window->setMinimumSize(standardSize.toSize());
    window->setMaximumSize(standardSize.toSize());
    window->resize(standardSize.toSize());
    m_model = model.release();
    m_window = window;
    m_appWindow = m_windows.adopt(*window);
    WindowStyle style = m_appWindow->style();
    style.titled = true;
    style.closable = true;
    m_appWindow->setStyle(style);
    connect(m_model, &WelcomeWindowModel::finished, this, &OnboardingController::finish);
    // The close button hides the Qt window itself; the window server must know it is out, and
    // nothing needs the trust polled while no one sees it.
    connect(window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) {
            if (m_model) {
                m_model->stopPolling();
            }
            if (m_appWindow && m_appWindow->isVisible()) {
                m_appWindow->close();
            }
        }
    });
    return true;
}

void OnboardingController::show() {
    if (!m_view) {
        return;
    }
    if (!m_window && !make()) {
        return;
    }
    StandardWindow::present(*m_appWindow, standardSize);
    m_model->startPolling();
}

void OnboardingController::finish(bool followUp) {
    if (!m_view) {
        return;
    }
    m_view->completeOnboarding();
    drop();
    if (followUp && m_onFinished) {
        // The button names the Menu Bar Layout pane: Settings opens there.
        m_view->setPendingSettingsPane(paneKey(SettingsPane::arrange));
        m_onFinished();
    }
}

void OnboardingController::drop() {
    if (m_model) {
        m_model->stopPolling();
    }
    if (m_appWindow) {
        m_appWindow->close();
    }
    m_appWindow.reset();
    // The finishing press is still being delivered inside the window; the window's bindings
    // read the model until the window is gone.
    if (m_window) {
        if (m_model) {
            connect(m_window, &QObject::destroyed, m_model, &QObject::deleteLater);
        }
        m_window->deleteLater();
    } else if (m_model) {
        m_model->deleteLater();
    }
    m_window = nullptr;
    m_model = nullptr;
}

} // namespace zorv
