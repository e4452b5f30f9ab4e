#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <memory>

class QWindow;

namespace zorv {

// Window levels (NSWindowLevel): higher levels float over lower ones.
namespace WindowLevel {
inline constexpr int normal = 0;
inline constexpr int floating = 3;
inline constexpr int mainMenu = 24;
inline constexpr int statusBar = 25;
inline constexpr int popUpMenu = 101;
} // namespace WindowLevel

// Collection-behaviour bits (NSWindowCollectionBehavior).
namespace CollectionBehavior {
inline constexpr quint64 canJoinAllSpaces = 1ULL << 0;
inline constexpr quint64 stationary = 1ULL << 4;
inline constexpr quint64 ignoresCycle = 1ULL << 6;
inline constexpr quint64 fullScreenAuxiliary = 1ULL << 8;
} // namespace CollectionBehavior

// How a window or panel floats and takes input (NSWindow and NSPanel attributes).
struct WindowStyle {
    int level = WindowLevel::normal;
    quint64 collectionBehavior = 0;
    // Clicks pass through it to whatever lies below.
    bool ignoresMouseEvents = false;
    // A non-activating panel: using it does not make the application active.
    bool nonActivating = false;
    bool canBecomeKey = true;
    // Ordered out while another application is active.
    bool hidesOnDeactivate = false;
    bool opaque = true;
    bool hasShadow = true;
    // The title bar (style mask and title-bar attributes). A titled window shows the close,
    // minimise and zoom buttons, each usable while the window is closable, miniaturizable or
    // resizable; with `closeButtonOnly` the other two are hidden.
    bool titled = false;
    bool closable = false;
    bool miniaturizable = false;
    bool resizable = false;
    bool closeButtonOnly = false;
    // The content reaches under the title bar; a transparent title bar then draws only its
    // buttons over it.
    bool fullSizeContentView = false;
    bool titlebarTransparent = false;
    bool titleHidden = false;
    // A press on the background (where no control takes it) and a drag move the window.
    bool movableByWindowBackground = false;

    friend bool operator==(const WindowStyle &, const WindowStyle &) = default;
};

// Stands in for one of this application's own windows (NSWindow) and the presentation facts the
// window server keeps for it: on screen or not, full screen, zoomed, minimised, key and in front,
// its content size and place. Main thread.
class AppWindow : public QObject {
    Q_OBJECT

public:
    explicit AppWindow(QObject *parent = nullptr);
    ~AppWindow() override;

    // On screen in the current space; false while minimised or ordered out.
    [[nodiscard]] virtual bool isVisible() const = 0;
    // The full-screen bit of the style mask.
    [[nodiscard]] virtual bool isFullScreen() const = 0;
    // Starts entering or leaving full screen; the change completes later, announced by
    // didEnterFullScreen or didExitFullScreen. A window that cannot be resized does not enter it.
    virtual void toggleFullScreen() = 0;
    [[nodiscard]] virtual bool isZoomed() const = 0;
    // A window that cannot be resized is not zoomed.
    virtual void setZoomed(bool zoomed) = 0;
    [[nodiscard]] virtual bool isMiniaturized() const = 0;
    virtual void deminiaturize() = 0;
    // In points.
    [[nodiscard]] virtual QSizeF contentSize() const = 0;
    virtual void setContentSize(QSizeF size) = 0;
    // Places the window in the middle of its screen's visible area.
    virtual void center() = 0;
    // Shows the window in front of the application's others and gives it the keyboard.
    virtual void makeKeyAndOrderFront() = 0;
    // Orders the window out, as its close button does; it can be presented again.
    virtual void close() = 0;

    [[nodiscard]] virtual WindowStyle style() const = 0;
    virtual void setStyle(const WindowStyle &style) = 0;
    // The window's frame in global points, bottom-left convention (see Screen).
    [[nodiscard]] virtual QRectF frame() const = 0;
    virtual void setFrame(const QRectF &frame) = 0;
    // Puts the window in front at its level without giving it the keyboard or activating the
    // application, even while the application is not active.
    virtual void orderFrontRegardless() = 0;
    // Takes the window off screen; it keeps its frame.
    virtual void orderOut() = 0;
    // Moves the window so that its top-left corner lies at the point (top-left convention).
    virtual void setFrameTopLeftPoint(QPointF topLeft) = 0;
    // Whether the window has the keyboard.
    [[nodiscard]] virtual bool isKeyWindow() const = 0;

Q_SIGNALS:
    void didEnterFullScreen();
    void didExitFullScreen();
    // The window lost the keyboard (another window or application took it).
    void didResignKey();
    // Escape was pressed while the window had the keyboard and nothing in it took the key
    // (the cancel operation).
    void cancelRequested();
};

// Gives the application's windows (the Qt windows its views draw in) their window-server side.
// Main thread.
class AppWindows {
public:
    virtual ~AppWindows() = default;

    // The window-server side of `window`, which must outlive the result. The window starts
    // ordered out, neither zoomed, minimised nor full screen, at its current size.
    [[nodiscard]] virtual std::unique_ptr<AppWindow> adopt(QWindow &window) = 0;
};

} // namespace zorv
