#include "searchpanelcontroller.h"

#include "appmodel.h"
#include "kit/zorvkit.h"
#include "menupresenter.h"
#include "screens.h"

#include <QQmlEngine>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

SearchPanelController::SearchPanelController(AppModel &model, const PanelServices &services,
                                             QObject *parent)
    : QObject(parent), m_model(&model), m_services(services) {}

SearchPanelController::~SearchPanelController() {
    // The window's bindings read the search: the window goes first.
    m_panel.reset();
    delete m_search.data();
}

bool SearchPanelController::isVisible() const {
    return m_panel && m_panel->server().isVisible();
}

bool SearchPanelController::makePanel() {
    if (m_panel) {
        return true;
    }
    WindowStyle style;
    style.level = WindowLevel::floating;
    style.canBecomeKey = true;
    style.hidesOnDeactivate = true;
    style.opaque = false;
    style.hasShadow = true;
    // Titled and closable, its content under a transparent bar that shows only the buttons;
    // dragged by its background.
    style.titled = true;
    style.closable = true;
    style.fullSizeContentView = true;
    style.titlebarTransparent = true;
    style.titleHidden = true;
    style.movableByWindowBackground = true;
    m_panel =
        PanelWindow::load(m_services.engine, m_services.windows, u"SearchPanelView.qml"_s, {},
                          Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, style);
    if (!m_panel) {
        return false;
    }
    AppWindow &server = m_panel->server();
    connect(&server, &AppWindow::cancelRequested, this, &SearchPanelController::hide);
    connect(&server, &AppWindow::didResignKey, this, &SearchPanelController::hide);
    return true;
}

void SearchPanelController::show() {
    if (!m_model || !makePanel()) {
        return;
    }
    ZorvKit *kit = ZorvKit::of(&m_services.engine);
    auto *search = new SearchPanelModel(*m_model, kit ? &kit->itemPictures() : nullptr,
                                        m_services.sampledBarColor, this);
    connect(search, &SearchPanelModel::finished, this, &SearchPanelController::hide);
    // The view is rebuilt over the new search, so nothing of the last one survives.
    QQuickWindow &window = m_panel->window();
    window.setProperty("search", QVariant::fromValue<QObject *>(nullptr));
    if (m_search) {
        m_search->deleteLater();
    }
    m_search = search;
    window.setProperty("search", QVariant::fromValue<QObject *>(search));
    m_panel->server().setContentSize(size);
    place();
    // The search key works while a menu of this application is open (a global hot key), but the
    // open menu would keep the keyboard from the panel.
    if (m_services.menus) {
        m_services.menus->cancelTracking();
    }
    m_panel->server().makeKeyAndOrderFront();
    window.requestActivate();
    // The panel takes the keyboard even when another application was in front.
    if (m_services.activateApp) {
        m_services.activateApp();
    }
}

void SearchPanelController::place() {
    const std::optional<Screen> screen = m_services.screens.mainScreen();
    if (!screen) {
        m_panel->server().center();
        return;
    }
    // Centred across, a third of the free height above it and two thirds below.
    const QRectF area = screen->visibleFrame;
    const double x = std::round(area.x() + (area.width() - size.width()) / 2);
    const double y = std::round(area.y() + (area.height() - size.height()) * 2 / 3);
    m_panel->server().setFrame(QRectF(QPointF(x, y), size));
}

void SearchPanelController::toggle() {
    if (isVisible()) {
        hide();
    } else {
        show();
    }
}

void SearchPanelController::hide() {
    if (m_panel) {
        m_panel->server().orderOut();
    }
}

} // namespace zorv
