#pragma once

#include "fieldediting.h"
#include "pasteboardclipboard.h"
#include "screenmapping.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QWindow>

#include <functional>
#include <memory>
#include <utility>

class QPainter;
class QQuickWindow;

namespace zorv {

class MacScreenView;
class OverlaidTitleBars;
class Pasteboard;
class SystemAppearance;
class UserInput;
class SimAppWindow;
class SimAppWindows;
struct WindowRecord;

// Zorv's own windows on the drawn screens: every adopted window the simulated window server
// shows, on the screen that holds most of it, at its frame, stacked as the window server stacks
// them (by level, then the frontmost on top).
//
// Two ways to put them there. With a real display (Overlaid) each window stays a real top-level
// window of its own, so it takes the mouse, the keyboard and text input natively: it is made
// frameless, kept above the desktop window and moved over the drawn screen wherever that is
// scrolled or moved to, cut to the part of the screen in view (the screens are drawn at life
// size there, so the window's own size is right). Offscreen (Composited) nobody sees windows
// live, so each window is kept at its simulated frame and drawn into picture(), the desktop
// window's picture that screenshots and rendering tests save, with the title bar the window
// server gives it (TitleBar). Either way the simulated Mac's input for a window reaches its
// content (WindowContentInput), and the window with the keyboard there is Qt's active window (the
// window server keeps it so).
// Main thread.
class ScreenWindows : public QObject {
    Q_OBJECT

public:
    enum class Mode { Overlaid, Composited };

    // One window as drawn: where in the desktop window (scene coordinates) and the part of the
    // desktop window it can be seen through (its screen's view, cut by scrolling).
    struct Placed {
        QPointer<QWindow> window;
        QPointer<SimAppWindow> server;
        // The content's frame, and the whole window's with a title bar above the content.
        QRectF sceneRect;
        QRectF outerSceneRect;
        QRectF visibleRect;
    };

    // Takes over how `windows` reach the display until destroyed; `hands` are the simulated
    // Mac's, which title bars laid over the screen hand their presses to, and title bars are
    // drawn in the system's `appearance`. The windows' text controls cut, copy and paste
    // through `pasteboard` (see PasteboardClipboard: with a display, Qt's clipboard is the
    // person's).
    ScreenWindows(SimAppWindows &windows, UserInput &hands, const SystemAppearance &appearance,
                  Pasteboard &pasteboard, Mode mode, QObject *parent = nullptr);
    ~ScreenWindows() override;

    // The window the screens are drawn in; windows are placed once it is set.
    void setDesktopWindow(QQuickWindow *window);

    // The visible windows, back to front.
    [[nodiscard]] QList<Placed> placed() const;
    // The desktop window's picture with the windows drawn over their screens.
    [[nodiscard]] QImage picture() const;
    // Every screen where the displays are arranged, whether or not the desktop window shows it,
    // with the windows drawn over them and a notification banner that shows over those: at life
    // size, or shrunk to fit arrangedLimit. What the screenshots save.
    [[nodiscard]] QImage arrangedPicture() const;
    static constexpr QSize arrangedLimit{3840, 2400};

Q_SIGNALS:
    // A window was shown, hidden, moved, resized or ordered front.
    void changed();

private:
    void present(SimAppWindow &window);
    void keepKeyWindowActive(QWindow *focused);
    // The windows over their screens, back to front, each cut to the part of its screen in sight,
    // with their title bars.
    void paintWindows(QPainter &painter, const QList<Placed> &windows) const;
    static void paintTitleBar(QPainter &painter, const Placed &placed, bool dark);
    [[nodiscard]] bool dark() const;
    void overlay();
    [[nodiscard]] QList<MacScreenView *> screenViews() const;
    // Where a screen of `mappings` (by its index) is drawn: the content's rectangle for a window
    // at `viewRect` in the screen's view, and the part of the screen in sight.
    using ScreenDrawing =
        std::function<std::pair<QRectF, QRectF>(qsizetype screen, const QRectF &viewRect)>;
    // The visible windows, back to front, each on the screen that holds most of it.
    [[nodiscard]] QList<Placed> placeOn(const QList<ScreenMapping> &mappings,
                                        const ScreenDrawing &drawing) const;

    SimAppWindows &m_windows;
    const SystemAppearance &m_appearance;
    const Mode m_mode;
    QPointer<QQuickWindow> m_desktop;
    // The overlaid windows, back to front, as last raised.
    QList<QWindow *> m_stacked;
    std::unique_ptr<OverlaidTitleBars> m_titleBars;
    PasteboardClipboard m_clipboard;
    FieldEditing m_editing;
};

} // namespace zorv
