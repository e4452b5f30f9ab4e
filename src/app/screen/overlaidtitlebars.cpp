#include "overlaidtitlebars.h"

#include "pointertaken.h"
#include "script/userinput.h"
#include "titlebarpainter.h"
#include "windows/simappwindows.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace zorv {

namespace {

// The part of a transparent title bar its buttons take.
QRect buttonsArea(const WindowStyle &style) {
    QRectF area;
    for (const TitleBar::ButtonPlace &place : TitleBar::buttons(style)) {
        area |= place.rect.adjusted(-2, -2, 2, 2);
    }
    return area.toAlignedRect();
}

} // namespace

TitleBarWindow::TitleBarWindow(SimAppWindow &server, UserInput &hands)
    : m_server(&server), m_hands(hands) {
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
}

bool TitleBarWindow::place(const QRect &bar, QWindow *desktop, bool dark) {
    if (!m_server) {
        return false;
    }
    const WindowStyle &style = m_server->record().style;
    QRect geometry = bar;
    if (style.titlebarTransparent) {
        const QRect buttons = buttonsArea(style);
        geometry = QRect(bar.topLeft(), QSize(buttons.right() + 1, bar.height()));
        QRegion circles;
        for (const TitleBar::ButtonPlace &place : TitleBar::buttons(style)) {
            circles |= QRegion(place.rect.toAlignedRect(), QRegion::Ellipse);
        }
        setMask(circles);
    } else {
        setMask(QRegion());
    }
    setTransientParent(desktop);
    const bool moved = this->geometry() != geometry || dark != m_dark;
    m_dark = dark;
    if (moved) {
        setGeometry(geometry);
    }
    if (!isVisible()) {
        show();
        return true;
    }
    if (moved) {
        update();
    }
    return false;
}

void TitleBarWindow::paintEvent(QPaintEvent *) {
    if (!m_server) {
        return;
    }
    QPainter painter(this);
    const WindowRecord &record = m_server->record();
    painter.fillRect(QRect(QPoint(), size()), record.style.titlebarTransparent
                                                  ? QColor(Qt::transparent)
                                                  : QColor(Qt::white));
    TitleBarPainter::paint(
        painter, {record.style, m_server->title(), record.frame.width(), record.key, m_dark});
}

QPointF TitleBarWindow::onMac(QPointF position) const {
    const WindowRecord &record = m_server->record();
    return TitleBar::outerFrame(record).topLeft() + position;
}

void TitleBarWindow::mousePressEvent(QMouseEvent *event) {
    if (m_server && event->button() == Qt::LeftButton) {
        m_hands.mouseDown(onMac(event->position()));
    }
}

void TitleBarWindow::mouseMoveEvent(QMouseEvent *event) {
    if (m_server && (event->buttons() & Qt::LeftButton)) {
        m_hands.mouseDragged(onMac(event->position()));
    }
}

void TitleBarWindow::mouseReleaseEvent(QMouseEvent *event) {
    if (m_server && event->button() == Qt::LeftButton) {
        m_hands.mouseUp(onMac(event->position()));
    }
}

OverlaidTitleBars::OverlaidTitleBars(UserInput &hands) : m_hands(hands) {}

OverlaidTitleBars::~OverlaidTitleBars() {
    for (const QPointer<QWindow> &window : m_watched) {
        if (window) {
            window->removeEventFilter(this);
        }
    }
}

bool OverlaidTitleBars::update(const QList<std::pair<SimAppWindow *, QRect>> &shown,
                               QWindow *desktop, bool dark) {
    bool newlyShown = false;
    QHash<SimAppWindow *, std::shared_ptr<TitleBarWindow>> kept;
    m_servers.clear();
    for (const auto &[server, content] : shown) {
        QWindow *window = server->window();
        if (window && !m_watched.contains(window)) {
            window->installEventFilter(this);
            m_watched.append(window);
        }
        m_servers.insert(window, server);
        const WindowRecord &record = server->record();
        if (!record.style.titled) {
            continue;
        }
        std::shared_ptr<TitleBarWindow> bar = m_bars.value(server);
        if (!bar || !bar->shows(server)) {
            bar = std::make_shared<TitleBarWindow>(*server, m_hands);
        }
        const QRectF outer = TitleBar::outerFrame(record);
        const QPoint offset = (outer.topLeft() - record.frame.topLeft()).toPoint();
        newlyShown |= bar->place(
            QRect(content.topLeft() + offset, QSize(content.width(), int(TitleBar::height))),
            desktop, dark);
        kept.insert(server, bar);
    }
    m_bars = std::move(kept);
    return newlyShown;
}

void OverlaidTitleBars::raiseOver(QWindow *window) {
    if (const std::shared_ptr<TitleBarWindow> bar = m_bars.value(m_servers.value(window))) {
        bar->raise();
    }
}

void OverlaidTitleBars::repaint() {
    for (const std::shared_ptr<TitleBarWindow> &bar : std::as_const(m_bars)) {
        bar->update();
    }
}

bool OverlaidTitleBars::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (m_forwarding) {
        const QPointF at = m_forwarding->record().frame.topLeft() + mouse->position();
        if (type == QEvent::MouseMove) {
            m_hands.mouseDragged(at);
        } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
            m_hands.mouseUp(at);
            m_forwarding.clear();
        }
        return true;
    }
    const QPointer<SimAppWindow> server = m_servers.value(static_cast<QWindow *>(watched));
    if (type != QEvent::MouseButtonPress || !server) {
        return false;
    }
    // A press in the window makes it the window server's key window, as a press through the
    // simulated mouse does.
    if (!server->record().key) {
        server->makeKeyAndOrderFront();
    }
    if (!server || mouse->button() != Qt::LeftButton) {
        return false;
    }
    const WindowStyle &style = server->record().style;
    const QPointF at = server->record().frame.topLeft() + mouse->position();
    const bool onTitleBar =
        style.titled && style.fullSizeContentView && mouse->position().y() < TitleBar::height;
    if (!onTitleBar) {
        if (!style.movableByWindowBackground) {
            return false;
        }
        // The press is the content's first; one nothing there takes moves the window.
        static_cast<QObject *>(watched)->event(event);
        if (pointerTaken(*mouse)) {
            return true;
        }
    }
    m_forwarding = server;
    m_hands.mouseDown(at);
    return true;
}

} // namespace zorv
