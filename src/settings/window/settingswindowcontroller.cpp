#include "settingswindowcontroller.h"

#include "appwindow.h"
#include "modelview.h"
#include "settingsservices.h"
#include "settingswindowmodel.h"
#include "windows/qmlwindow.h"
#include "windows/standardwindow.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

SettingsWindowController::SettingsWindowController(QQmlEngine &engine, ModelView &view,
                                                   SettingsServices &services, AppWindows &windows,
                                                   QObject *parent)
    : QObject(parent), m_engine(engine), m_view(view), m_services(services), m_windows(windows) {
    // Without the automation front end there are no rules to show.
    if (!services.automation()) {
        m_panes.remove(SettingsPane::triggers);
    }
}

SettingsWindowController::~SettingsWindowController() {
    // The window's bindings read the model: the window goes first.
    m_appWindow.reset();
    delete m_window.data();
    delete m_model.data();
}

QHash<SettingsPane, QUrl> SettingsWindowController::builtInPanes() {
    return {
        {SettingsPane::general, QUrl(u"qrc:/Zorv/Settings/general/GeneralView.qml"_s)},
        {SettingsPane::arrange, QUrl(u"qrc:/Zorv/Settings/layout/ArrangeView.qml"_s)},
        {SettingsPane::profiles, QUrl(u"qrc:/Zorv/Settings/profiles/ProfilesView.qml"_s)},
        {SettingsPane::search, QUrl(u"qrc:/Zorv/Settings/search/SearchSettingsView.qml"_s)},
        {SettingsPane::appearance, QUrl(u"qrc:/Zorv/Settings/style/AppearanceView.qml"_s)},
        {SettingsPane::spacing, QUrl(u"qrc:/Zorv/Settings/spacing/SpacingView.qml"_s)},
        {SettingsPane::triggers, QUrl(u"qrc:/Zorv/Settings/rules/TriggersView.qml"_s)},
        {SettingsPane::about, QUrl(u"qrc:/Zorv/Settings/about/AboutView.qml"_s)},
    };
}

void SettingsWindowController::addPane(SettingsPane pane, const QUrl &source) {
    if (!m_model) {
        m_panes.insert(pane, source);
    }
}

bool SettingsWindowController::make() {
    auto model = std::make_unique<SettingsWindowModel>(m_view, m_services, m_panes, this);
    QQuickWindow *window =
        makeQmlWindow(m_engine, QUrl(u"qrc:/Zorv/Settings/window/SettingsWindow.qml"_s),
                      {{u"model"_s, QVariant::fromValue(model.get())}}, u"The settings window"_s)
            .release();
    if (!window) {
        return false;
    }
    window->setTitle(u"Zorv"_s);
    window->setMinimumSize(minimumSize);
    window->resize(standardSize.toSize());
    m_model = model.release();
    m_window = window;
    m_appWindow = m_windows.adopt(*window);
    // Every title-bar button, over the content, which reaches under a transparent bar.
    WindowStyle style = m_appWindow->style();
    style.titled = true;
    style.closable = true;
    style.miniaturizable = true;
    style.resizable = true;
    style.fullSizeContentView = true;
    style.titlebarTransparent = true;
    style.titleHidden = true;
    m_appWindow->setStyle(style);
    connect(window, SIGNAL(closeRequested()), this, SLOT(close()));
    // The close button hides the Qt window itself; the window server must know it is out.
    connect(window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible && m_appWindow && m_appWindow->isVisible()) {
            m_appWindow->close();
        }
    });
    return true;
}

void SettingsWindowController::show() {
    if (!m_window && !make()) {
        return;
    }
    StandardWindow::present(*m_appWindow, standardSize);
    m_services.activateApp();
    m_model->appear();
}

void SettingsWindowController::open(std::optional<SettingsPane> pane) {
    if (pane) {
        m_view.setPendingSettingsPane(paneKey(*pane));
    }
    show();
}

void SettingsWindowController::close() {
    if (m_appWindow) {
        m_appWindow->close();
    }
}

std::optional<QString> SettingsWindowController::paneForUpdate() const {
    if (!m_appWindow || !m_appWindow->isVisible()) {
        return std::nullopt;
    }
    return m_view.currentSettingsPane();
}

} // namespace zorv
