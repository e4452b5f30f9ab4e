#include "windows/simappwindows.h"

#include "layout/coordinates.h"
#include "windows/titlebar.h"

#include <QGuiApplication>
#include <QPointer>

#include <algorithm>
#include <tuple>
#include <utility>

namespace zorv {

SimAppWindow::SimAppWindow(SimAppWindows &windows, QWindow &window)
    : m_windows(windows), m_window(&window) {
    m_record.frame = QRectF(QPointF(window.x(), window.y()), QSizeF(window.size()));
    m_restoreFrame = m_record.frame;
    mirror();
}

SimAppWindow::~SimAppWindow() {
    m_lifetime.cancel();
    // A window that goes leaves the screen: the keyboard it had goes to the application's next
    // window, without a word to this one.
    m_record.visible = false;
    if (std::exchange(m_record.key, false)) {
        m_windows.passKeyOn();
    }
}

QRectF SimAppWindow::visibleArea() const {
    return m_windows.m_model.read([](const DesktopState &state) -> QRectF {
        const ScreenRecord *screen = state.activeScreen();
        if (!screen) {
            return QRectF(0, 0, 1440, 900);
        }
        // Below the menu bar, in the top-left convention.
        const double top = state.primaryTop() - (screen->frame.y() + screen->frame.height());
        return QRectF(screen->frame.x(), top + screen->menuBarHeight, screen->frame.width(),
                      screen->frame.height() - screen->menuBarHeight);
    });
}

void SimAppWindow::mirror() {
    const bool wasShown = m_window && m_window->isVisible();
    const bool madeKey = std::exchange(m_madeKey, false);
    if (m_windows.m_presenter) {
        m_windows.m_presenter(*this);
    } else {
        showAtFrame();
    }
    if (!m_window || !m_window->isVisible()) {
        return;
    }
    // Qt's keyboard focus follows the key window while this application has it: a window made
    // key, or shown as the key window, takes it. A platform may make a window it shows the active
    // one whatever the window asks (the offscreen one does): one that cannot take the keyboard
    // hands it straight back, before any key can go astray. Moving or resizing the key window
    // asks for nothing, and with no window of ours focused another program's window has the
    // keyboard and keeps it.
    const bool becameKey = m_record.key && (madeKey || !wasShown);
    const bool mayHaveTakenIt = !wasShown && !m_record.style.canBecomeKey;
    if ((becameKey || mayHaveTakenIt) && QGuiApplication::focusWindow()) {
        m_windows.focusKeyWindow();
    }
}

void SimAppWindow::showAtFrame() {
    if (!m_window) {
        return;
    }
    m_window->setGeometry(m_record.frame.toAlignedRect());
    m_window->setVisible(m_record.visible);
}

void SimAppWindow::toggleFullScreen() {
    // A window that cannot be resized cannot fill the screen either; one that is full screen can
    // always leave it.
    if (m_transitioning || (!m_record.fullScreen && !m_record.style.resizable)) {
        return;
    }
    m_transitioning = true;
    finishFullScreen(!m_record.fullScreen, m_lifetime.token());
}

QCoro::Task<> SimAppWindow::finishFullScreen(bool entering, CancellationToken lifetime) {
    QPointer<SimAppWindow> self(this);
    Clock &clock = m_windows.m_model.clock();
    if (co_await clock.sleep(seconds(fullScreenTransition), lifetime) == SleepOutcome::Cancelled ||
        !self) {
        co_return;
    }
    m_transitioning = false;
    if (entering) {
        m_restoreFrame = m_record.frame;
        m_record.fullScreen = true;
        m_record.frame = visibleArea();
        mirror();
        Q_EMIT didEnterFullScreen();
    } else {
        m_record.fullScreen = false;
        m_record.frame = m_restoreFrame;
        mirror();
        Q_EMIT didExitFullScreen();
    }
}

void SimAppWindow::setZoomed(bool zoomed) {
    if (zoomed == m_record.zoomed || (zoomed && !m_record.style.resizable)) {
        return;
    }
    if (zoomed) {
        m_restoreFrame = m_record.frame;
        m_record.frame = visibleArea();
    } else {
        m_record.frame = m_restoreFrame;
    }
    m_record.zoomed = zoomed;
    mirror();
}

void SimAppWindow::deminiaturize() {
    if (!m_record.miniaturized) {
        return;
    }
    m_record.miniaturized = false;
    m_record.visible = true;
    mirror();
}

void SimAppWindow::setContentSize(QSizeF size) {
    if (!size.isValid() || size.isEmpty()) {
        return;
    }
    m_record.frame.setSize(size);
    mirror();
}

void SimAppWindow::center() {
    const QRectF area = visibleArea();
    QRectF frame = m_record.frame;
    frame.moveCenter(area.center());
    m_record.frame = frame;
    mirror();
}

void SimAppWindow::makeKeyAndOrderFront() {
    if (!m_record.style.canBecomeKey) {
        orderFrontRegardless();
        return;
    }
    for (SimAppWindow *other : m_windows.windows()) {
        if (other != this) {
            other->resignKey();
        }
    }
    m_record.visible = true;
    m_record.miniaturized = false;
    m_record.key = true;
    m_madeKey = true;
    m_record.frontOrder = m_windows.m_nextFrontOrder++;
    mirror();
    // Qt may not have taken in yet the activation the platform gave a window shown a moment ago,
    // and would then give that one the keyboard while this one looks active still: asking now
    // puts this window's activation after it.
    if (m_window && m_window->isActive()) {
        m_windows.focusKeyWindow();
    }
}

void SimAppWindow::resignKey() {
    if (!m_record.key) {
        return;
    }
    m_record.key = false;
    Q_EMIT didResignKey();
}

void SimAppWindow::setStyle(const WindowStyle &style) {
    m_record.style = style;
    if (!style.canBecomeKey) {
        resignKey();
    }
}

QRectF SimAppWindow::frame() const {
    const double top =
        m_windows.m_model.read([](const DesktopState &state) { return state.primaryTop(); });
    return Coordinates::flipped(m_record.frame, top);
}

void SimAppWindow::setFrame(const QRectF &frame) {
    const double top =
        m_windows.m_model.read([](const DesktopState &state) { return state.primaryTop(); });
    m_record.frame = Coordinates::flipped(frame, top);
    mirror();
}

void SimAppWindow::orderFrontRegardless() {
    m_record.visible = true;
    m_record.miniaturized = false;
    m_record.frontOrder = m_windows.m_nextFrontOrder++;
    mirror();
}

void SimAppWindow::orderOut() {
    m_record.visible = false;
    mirror();
    leaveKey();
}

void SimAppWindow::setFrameTopLeftPoint(QPointF topLeft) {
    m_record.frame.moveTopLeft(topLeft);
    mirror();
}

void SimAppWindow::userMoves(QPointF topLeft) {
    m_record.frame.moveTopLeft(topLeft);
    mirror();
}

void SimAppWindow::userResizes(QSizeF size) {
    setContentSize(size);
}

void SimAppWindow::userZooms() {
    setZoomed(!m_record.zoomed);
}

void SimAppWindow::userMinimizes() {
    if (!m_record.style.miniaturizable) {
        return;
    }
    m_record.miniaturized = true;
    m_record.visible = false;
    mirror();
    leaveKey();
}

void SimAppWindow::userEntersFullScreen() {
    if (!m_record.fullScreen) {
        toggleFullScreen();
    }
}

void SimAppWindow::userCloses() {
    m_record.visible = false;
    mirror();
    leaveKey();
}

void SimAppWindow::leaveKey() {
    if (!m_record.key) {
        return;
    }
    // Telling the window may end it.
    SimAppWindows &windows = m_windows;
    resignKey();
    windows.passKeyOn();
}

SimAppWindows::SimAppWindows(DesktopModel &model) : m_model(model) {
    followScreens();
    m_screensWatch = QObject::connect(&m_model, &DesktopModel::screensChanged, &m_model,
                                      [this] { followScreens(); });
}

SimAppWindows::~SimAppWindows() {
    QObject::disconnect(m_screensWatch);
}

void SimAppWindows::setPresenter(Presenter presenter) {
    m_presenter = std::move(presenter);
    if (!m_presenter) {
        return;
    }
    for (SimAppWindow *window : windows()) {
        window->mirror();
    }
}

std::unique_ptr<AppWindow> SimAppWindows::adopt(QWindow &window) {
    auto adopted = std::make_unique<SimAppWindow>(*this, window);
    m_windows.append(adopted.get());
    return adopted;
}

QList<SimAppWindow *> SimAppWindows::windows() const {
    QList<SimAppWindow *> alive;
    for (const QPointer<SimAppWindow> &window : m_windows) {
        if (window) {
            alive.append(window);
        }
    }
    return alive;
}

QList<SimAppWindow *> SimAppWindows::stackingOrder() const {
    QList<SimAppWindow *> order = windows();
    std::ranges::stable_sort(order, [](const SimAppWindow *a, const SimAppWindow *b) {
        const WindowRecord &first = a->record();
        const WindowRecord &second = b->record();
        return std::tie(first.style.level, first.frontOrder) <
               std::tie(second.style.level, second.frontOrder);
    });
    return order;
}

SimAppWindow *SimAppWindows::windowAt(QPointF location) const {
    const QList<SimAppWindow *> order = stackingOrder();
    const auto found = std::find_if(order.crbegin(), order.crend(), [&](SimAppWindow *window) {
        const WindowRecord &record = window->record();
        return record.visible && !record.style.ignoresMouseEvents &&
               TitleBar::outerFrame(record).contains(location);
    });
    return found == order.crend() ? nullptr : *found;
}

void SimAppWindows::passKeyOn() {
    const QList<SimAppWindow *> order = stackingOrder();
    const auto next = std::find_if(order.crbegin(), order.crend(), [](SimAppWindow *window) {
        const WindowRecord &record = window->record();
        return record.visible && record.style.canBecomeKey;
    });
    if (next != order.crend() && !keyWindow()) {
        (*next)->m_record.key = true;
        (*next)->m_madeKey = true;
        (*next)->mirror();
    }
}

void SimAppWindows::focusKeyWindow() const {
    const SimAppWindow *key = keyWindow();
    if (key && key->window() && key->window()->isVisible()) {
        key->window()->requestActivate();
    }
}

SimAppWindow *SimAppWindows::keyWindow() const {
    for (SimAppWindow *window : windows()) {
        if (window->record().key) {
            return window;
        }
    }
    return nullptr;
}

} // namespace zorv
