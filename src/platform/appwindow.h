#pragma once

#include <QObject>
#include <QPointF>
#include <QSizeF>

#include <memory>

class QWindow;

namespace zorv {

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
    // didEnterFullScreen or didExitFullScreen.
    virtual void toggleFullScreen() = 0;
    [[nodiscard]] virtual bool isZoomed() const = 0;
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
    // Shows the window in front without giving it the keyboard, even while another application
    // is active.
    virtual void orderFrontRegardless() = 0;
    // Takes the window off screen (it keeps its frame).
    virtual void orderOut() = 0;
    // Moves the window so that its top-left corner lies at the point (top-left convention).
    virtual void setFrameTopLeftPoint(QPointF topLeft) = 0;

Q_SIGNALS:
    void didEnterFullScreen();
    void didExitFullScreen();
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
