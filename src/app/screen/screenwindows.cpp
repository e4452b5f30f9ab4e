#include "screenwindows.h"

#include "desktopviewmodel.h"
#include "macscreenview.h"
#include "overlaidtitlebars.h"
#include "systemappearance.h"
#include "titlebarpainter.h"
#include "windowcontentinput.h"
#include "windows/simappwindows.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegion>

#include <algorithm>

namespace zorv {

namespace {

void collectViews(QQuickItem *item, QList<MacScreenView *> &views) {
    if (auto *view = qobject_cast<MacScreenView *>(item)) {
        views.append(view);
    }
    for (QQuickItem *child : item->childItems()) {
        collectViews(child, views);
    }
}

// The part of the item in view: inside every clipping ancestor (a scrolled area).
QRectF visibleSceneRect(const QQuickItem &item) {
    QRectF rect = item.mapRectToScene(item.boundingRect());
    for (const QQuickItem *ancestor = item.parentItem(); ancestor;
         ancestor = ancestor->parentItem()) {
        if (ancestor->clip()) {
            rect &= ancestor->mapRectToScene(ancestor->boundingRect());
        }
    }
    return rect;
}

void paintShadow(QPainter &painter, const QRectF &rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int ring = 6; ring >= 1; --ring) {
        painter.setBrush(QColor(0, 0, 0, 10));
        painter.drawRoundedRect(rect.adjusted(-ring, -ring + 3, ring, ring + 3), 6 + ring,
                                6 + ring);
    }
    painter.restore();
}

// Where the whole window, title bar included, is drawn when its content is drawn at
// `sceneRect`.
QRectF outerRect(const WindowRecord &record, const QRectF &sceneRect) {
    const double zoom = record.frame.width() > 0 ? sceneRect.width() / record.frame.width() : 1;
    const QRectF outer = TitleBar::outerFrame(record);
    return QRectF(sceneRect.topLeft() + (outer.topLeft() - record.frame.topLeft()) * zoom,
                  outer.size() * zoom);
}

} // namespace

ScreenWindows::ScreenWindows(SimAppWindows &windows, UserInput &hands,
                             const SystemAppearance &appearance, Pasteboard &pasteboard, Mode mode,
                             QObject *parent)
    : QObject(parent), m_windows(windows), m_appearance(appearance), m_mode(mode),
      m_titleBars(mode == Mode::Overlaid ? std::make_unique<OverlaidTitleBars>(hands) : nullptr),
      m_clipboard(pasteboard, mode == Mode::Overlaid ? PasteboardClipboard::Owner::Person
                                                     : PasteboardClipboard::Owner::Process),
      m_editing(m_clipboard) {
    m_windows.setPresenter([this](SimAppWindow &window) { present(window); });
    m_windows.setContentInput(
        [this](SimAppWindow &window, const SimAppWindows::ContentEvent &event) {
            const auto deliver = [&] { return WindowContentInput::deliver(window, event); };
            return WindowContentInput::cutsCopiesOrPastes(event) ? m_clipboard.lend(deliver)
                                                                 : deliver();
        });
    m_windows.setFirstResponder([this](SimAppWindow &window, const QString &action) {
        return window.window() && m_editing.perform(*window.window(), action);
    });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &ScreenWindows::keepKeyWindowActive);
}

ScreenWindows::~ScreenWindows() {
    m_windows.setFirstResponder({});
    m_windows.setContentInput({});
    m_windows.setPresenter({});
}

void ScreenWindows::setDesktopWindow(QQuickWindow *window) {
    if (m_desktop) {
        disconnect(m_desktop, nullptr, this, nullptr);
    }
    m_desktop = window;
    if (m_desktop && m_mode == Mode::Overlaid) {
        // Scrolling and resizing draw a frame; moving the window does not.
        connect(m_desktop, &QQuickWindow::frameSwapped, this, &ScreenWindows::overlay);
        connect(m_desktop, &QWindow::xChanged, this, &ScreenWindows::overlay);
        connect(m_desktop, &QWindow::yChanged, this, &ScreenWindows::overlay);
        overlay();
    }
}

void ScreenWindows::present(SimAppWindow &window) {
    if (m_mode == Mode::Composited) {
        window.showAtFrame();
    } else {
        overlay();
        m_titleBars->repaint();
    }
    if (QWindow *qtWindow = window.window()) {
        qtWindow->setFlag(Qt::WindowDoesNotAcceptFocus, !window.record().style.canBecomeKey);
    }
    Q_EMIT changed();
}

void ScreenWindows::keepKeyWindowActive(QWindow *focused) {
    // Qt may hand its focus to a window shown that cannot take the keyboard (a menu), and to none
    // once that one goes, while the window server keeps the keyboard where it was: it goes back
    // there, so that the keys typed next reach the key window's focused control.
    const SimAppWindow *key = m_windows.keyWindow();
    QWindow *keyWindow = key ? key->window() : nullptr;
    if (!keyWindow || focused == keyWindow || !keyWindow->isVisible()) {
        return;
    }
    // With a display Qt also loses its focus to other programs' windows, which keep it.
    bool tookByShowing = m_mode == Mode::Composited;
    if (focused) {
        const QList<SimAppWindow *> windows = m_windows.windows();
        tookByShowing = std::ranges::any_of(windows, [&](const SimAppWindow *window) {
            return window->window() == focused && !window->record().style.canBecomeKey;
        });
    }
    if (tookByShowing) {
        keyWindow->requestActivate();
    }
}

QList<MacScreenView *> ScreenWindows::screenViews() const {
    QList<MacScreenView *> views;
    if (m_desktop) {
        collectViews(m_desktop->contentItem(), views);
    }
    return views;
}

QList<ScreenWindows::Placed> ScreenWindows::placeOn(const QList<ScreenMapping> &mappings,
                                                    const ScreenDrawing &drawing) const {
    QList<Placed> result;
    for (SimAppWindow *window : m_windows.stackingOrder()) {
        if (!window->window() || !window->record().visible) {
            continue;
        }
        const auto place = placeWindow(mappings, window->record().frame);
        if (!place) {
            continue;
        }
        const auto screen = std::find_if(mappings.cbegin(), mappings.cend(), [&](const auto &m) {
            return m.displayId == place->displayId;
        });
        const auto [sceneRect, visibleRect] =
            drawing(std::distance(mappings.cbegin(), screen), place->viewRect);
        result.append({window->window(), window, sceneRect, outerRect(window->record(), sceneRect),
                       visibleRect});
    }
    return result;
}

QList<ScreenWindows::Placed> ScreenWindows::placed() const {
    const QList<MacScreenView *> views = screenViews();
    QList<ScreenMapping> mappings;
    for (const MacScreenView *view : views) {
        mappings.append(view->mapping());
    }
    return placeOn(mappings, [&views](qsizetype screen, const QRectF &viewRect) {
        const MacScreenView &view = *views.at(screen);
        return std::pair(view.mapRectToScene(viewRect), visibleSceneRect(view));
    });
}

QImage ScreenWindows::picture() const {
    if (!m_desktop) {
        return {};
    }
    QImage image = m_desktop->grabWindow();
    // Painted in the window's coordinates, whatever its pixel density.
    image.setDevicePixelRatio(m_desktop->effectiveDevicePixelRatio());
    QPainter painter(&image);
    paintWindows(painter, placed());
    for (const MacScreenView *view : screenViews()) {
        painter.save();
        painter.setClipRect(visibleSceneRect(*view));
        view->paintHardware(painter, view->mapRectToScene(view->boundingRect()));
        painter.restore();
    }
    return image;
}

void ScreenWindows::paintWindows(QPainter &painter, const QList<Placed> &windows) const {
    for (const Placed &placed : windows) {
        auto *quick = qobject_cast<QQuickWindow *>(placed.window.data());
        if (!quick) {
            continue;
        }
        QImage content = quick->grabWindow();
        // A window with a clear background (the menu-bar tint, a floating bar) shows what lies
        // under it and draws its own edges: no window shadow or frame. The offscreen grab keeps
        // its alpha but labels the picture opaque.
        const bool opaque = quick->color().alpha() == 255;
        if (!opaque && content.format() == QImage::Format_RGB32) {
            content.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        }
        painter.save();
        painter.setClipRect(placed.visibleRect);
        if (opaque) {
            paintShadow(painter, placed.outerSceneRect);
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(placed.sceneRect, content);
        if (placed.server && placed.server->record().style.titled) {
            paintTitleBar(painter, placed, dark());
        }
        if (opaque) {
            painter.setPen(QColor(0, 0, 0, 60));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(placed.outerSceneRect.adjusted(-0.5, -0.5, 0.5, 0.5));
        }
        painter.restore();
    }
}

QImage ScreenWindows::arrangedPicture() const {
    const QList<MacScreenView *> views = screenViews();
    QRectF arranged;
    for (const MacScreenView *view : views) {
        arranged |= view->frame();
    }
    if (!m_desktop || arranged.isEmpty()) {
        return {};
    }
    const double scale = std::min({1.0, arrangedLimit.width() / arranged.width(),
                                   arrangedLimit.height() / arranged.height()});
    const auto toPicture = [&](const QRectF &global) {
        return QRectF((global.topLeft() - arranged.topLeft()) * scale, global.size() * scale);
    };
    const double ratio = m_desktop->effectiveDevicePixelRatio();
    const QSize pixels = (arranged.size() * scale * ratio).toSize().expandedTo(QSize(1, 1));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x1c, 0x1c, 0x1e));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    QList<ScreenMapping> mappings;
    for (const MacScreenView *view : views) {
        view->paintScreen(painter, toPicture(view->frame()));
        mappings.append({view->mapping().displayId, view->frame(), scale});
    }
    const QList<Placed> windows = placeOn(mappings, [&](qsizetype screen, const QRectF &viewRect) {
        const QRectF onScreen = toPicture(mappings.at(screen).frame);
        return std::pair(viewRect.translated(onScreen.topLeft()), onScreen);
    });
    paintWindows(painter, windows);
    for (const MacScreenView *view : views) {
        view->paintBanner(painter, toPicture(view->frame()));
        view->paintHardware(painter, toPicture(view->frame()));
    }
    return image;
}

bool ScreenWindows::dark() const {
    const QString name = m_appearance.effectiveAppearanceName();
    return name == AppearanceName::darkAqua || name == AppearanceName::vibrantDark;
}

void ScreenWindows::paintTitleBar(QPainter &painter, const Placed &placed, bool dark) {
    const WindowRecord &record = placed.server->record();
    painter.save();
    painter.translate(placed.outerSceneRect.topLeft());
    const double zoom = placed.outerSceneRect.width() / std::max(1.0, record.frame.width());
    painter.scale(zoom, zoom);
    TitleBarPainter::paint(
        painter, {record.style, placed.server->title(), record.frame.width(), record.key, dark});
    painter.restore();
}

void ScreenWindows::overlay() {
    if (!m_desktop) {
        return;
    }
    QList<QWindow *> shown;
    QList<std::pair<SimAppWindow *, QRect>> servers;
    for (const Placed &placed : placed()) {
        QWindow *window = placed.window;
        const QRect global(m_desktop->mapToGlobal(placed.sceneRect.topLeft().toPoint()),
                           placed.sceneRect.size().toSize());
        const QRectF seen = placed.sceneRect & placed.visibleRect;
        if (seen.isEmpty()) {
            continue;
        }
        if (!(window->flags() & Qt::FramelessWindowHint)) {
            window->setFlags(window->flags() | Qt::FramelessWindowHint);
        }
        window->setTransientParent(m_desktop);
        if (window->geometry() != global) {
            window->setGeometry(global);
        }
        const QRegion mask = seen == placed.sceneRect
                                 ? QRegion()
                                 : QRegion(seen.translated(-placed.sceneRect.topLeft()).toRect());
        if (window->mask() != mask) {
            window->setMask(mask);
        }
        if (!window->isVisible()) {
            window->show();
        }
        shown.append(window);
        if (placed.server) {
            servers.append({placed.server, global});
        }
    }
    // Each window with its title bar right above it, back to front: a window raised alone would
    // cover its own title bar.
    const bool newBars = m_titleBars->update(servers, m_desktop, dark());
    if (shown != m_stacked || newBars) {
        for (QWindow *window : shown) {
            window->raise();
            m_titleBars->raiseOver(window);
        }
        m_stacked = shown;
    }
    for (SimAppWindow *window : m_windows.windows()) {
        if (window->window() && !shown.contains(window->window()) &&
            window->window()->isVisible()) {
            window->window()->hide();
        }
    }
}

} // namespace zorv
