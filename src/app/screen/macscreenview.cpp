#include "macscreenview.h"

#include "bannerpainter.h"
#include "desktopviewmodel.h"
#include "macscreenpainter.h"
#include "screeninput.h"
#include "script/userinput.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zorv {

namespace {

// A desktop picture is read at most this many pixels across (a 6K display at scale 1, or a
// 14-inch laptop at 2, fit well inside); larger files are scaled down as they are read.
constexpr int pictureLimit = 4096;

} // namespace

MacScreenView::MacScreenView(QQuickItem *parent) : QQuickPaintedItem(parent) {
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    setAcceptHoverEvents(true);
    setActiveFocusOnTab(true);
}

void MacScreenView::setDesktop(DesktopViewModel *desktop) {
    if (desktop == m_desktop) {
        return;
    }
    disconnect(m_bannerChanges);
    m_desktop = desktop;
    if (m_desktop) {
        m_bannerChanges =
            connect(m_desktop->banner(), &NotificationBanner::changed, this, [this] { update(); });
    }
    Q_EMIT desktopChanged();
    update();
}

void MacScreenView::setDisplayId(int displayId) {
    if (displayId < 0 || DisplayId(displayId) == m_mapping.displayId) {
        return;
    }
    m_mapping.displayId = DisplayId(displayId);
    Q_EMIT mappingChanged();
}

void MacScreenView::setScene(const QVariant &scene) {
    if (!scene.canConvert<MacScreenScene>()) {
        return;
    }
    MacScreenScene next = scene.value<MacScreenScene>();
    if (next == m_scene) {
        return;
    }
    m_scene = std::move(next);
    if (m_scene.picture != m_pictureFile) {
        m_pictureFile = m_scene.picture;
        loadPicture();
    }
    Q_EMIT sceneChanged();
    update();
}

void MacScreenView::setFrame(const QRectF &frame) {
    if (frame == m_mapping.frame) {
        return;
    }
    m_mapping.frame = frame;
    Q_EMIT mappingChanged();
}

void MacScreenView::setZoom(double zoom) {
    if (!(zoom > 0.0) || zoom == m_mapping.zoom) {
        return;
    }
    m_mapping.zoom = zoom;
    Q_EMIT mappingChanged();
    update();
}

void MacScreenView::setActive(bool active) {
    if (active == m_active) {
        return;
    }
    m_active = active;
    Q_EMIT activeChanged();
    update();
}

void MacScreenView::loadPicture() {
    m_picture = QImage();
    if (!m_pictureFile) {
        return;
    }
    QImageReader reader(*m_pictureFile);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > pictureLimit || size.height() > pictureLimit)) {
        reader.setScaledSize(size.scaled(pictureLimit, pictureLimit, Qt::KeepAspectRatio));
    }
    // A file that cannot be read shows the desktop colour.
    m_picture = reader.read();
}

void MacScreenView::paint(QPainter *painter) {
    paintScreen(*painter, boundingRect());
    paintBanner(*painter, boundingRect());
}

void MacScreenView::paintScreen(QPainter &painter, const QRectF &target) const {
    MacScreenPainter::paint(painter, target, m_scene, m_picture);
}

void MacScreenView::paintHardware(QPainter &painter, const QRectF &target) const {
    MacScreenPainter::paintHardware(painter, target, m_scene);
}

void MacScreenView::paintBanner(QPainter &painter, const QRectF &target) const {
    const NotificationBanner *banner = m_desktop ? m_desktop->banner() : nullptr;
    if (m_active && banner && banner->shown()) {
        BannerPainter::paint(painter, target, m_mapping.frame.size(), banner->title(),
                             banner->body());
    }
}

void MacScreenView::hoverEnterEvent(QHoverEvent *event) {
    hoverMoveEvent(event);
}

void MacScreenView::hoverMoveEvent(QHoverEvent *event) {
    if (m_desktop) {
        m_desktop->userInput().moveMouse(m_mapping.toGlobal(event->position()));
    }
}

void MacScreenView::mousePressEvent(QMouseEvent *event) {
    forceActiveFocus(Qt::MouseFocusReason);
    const auto button = ScreenInput::button(event->button());
    if (!m_desktop || !button) {
        event->ignore();
        return;
    }
    m_desktop->userInput().mouseDown(m_mapping.toGlobal(event->position()), *button,
                                     ScreenInput::flags(event->modifiers()));
}

void MacScreenView::mouseMoveEvent(QMouseEvent *event) {
    if (!m_desktop) {
        return;
    }
    const QPointF location = m_mapping.toGlobal(event->position());
    if (event->buttons() & Qt::LeftButton) {
        m_desktop->userInput().mouseDragged(location, ScreenInput::flags(event->modifiers()));
    } else {
        m_desktop->userInput().moveMouse(location);
    }
}

void MacScreenView::mouseReleaseEvent(QMouseEvent *event) {
    const auto button = ScreenInput::button(event->button());
    if (!m_desktop || !button) {
        return;
    }
    m_desktop->userInput().mouseUp(m_mapping.toGlobal(event->position()), *button,
                                   ScreenInput::flags(event->modifiers()));
}

void MacScreenView::keyPressEvent(QKeyEvent *event) {
    const auto press = ScreenInput::key(*event);
    if (!m_desktop || !press) {
        event->ignore();
        return;
    }
    // A held key goes down once and comes up once.
    if (!event->isAutoRepeat()) {
        m_desktop->userInput().keyDown(press->keyCode, press->modifiers);
    }
}

void MacScreenView::keyReleaseEvent(QKeyEvent *event) {
    const auto press = ScreenInput::key(*event);
    if (!m_desktop || !press) {
        event->ignore();
        return;
    }
    if (!event->isAutoRepeat()) {
        m_desktop->userInput().keyUp(press->keyCode, press->modifiers);
    }
}

} // namespace zorv
