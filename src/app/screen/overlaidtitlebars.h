#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRasterWindow>
#include <QRect>

#include <memory>

namespace zorv {

class SimAppWindow;
class UserInput;

// The title bar of one of Zorv's windows laid over the drawn screen: a frameless window of its
// own over the title bar's place (only over the buttons when the title bar is transparent and
// the content shows through), drawn as the window server draws it. Its presses, drags and
// releases are the simulated mouse's at that point, so the window server works the buttons and
// moves the window. Main thread.
class TitleBarWindow final : public QRasterWindow {
public:
    TitleBarWindow(SimAppWindow &server, UserInput &hands);

    // Lays it over `bar`, the title bar's place on the real screen, above `desktop`. Returns
    // whether it was shown just now (and so needs stacking over its window).
    bool place(const QRect &bar, QWindow *desktop, bool dark);
    [[nodiscard]] bool shows(const SimAppWindow *server) const { return m_server == server; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] QPointF onMac(QPointF position) const;

    QPointer<SimAppWindow> m_server;
    UserInput &m_hands;
    bool m_dark = false;
};

// What the person's hands do to Zorv's windows laid over the drawn screen, where the window
// server must see it: title bars (TitleBarWindow, and the top of content that reaches under a
// transparent one) and presses on a background that moves its window. Such a press and its drag
// go to the simulated mouse; everything else stays the window's own. Main thread.
class OverlaidTitleBars final : public QObject {
public:
    explicit OverlaidTitleBars(UserInput &hands);
    ~OverlaidTitleBars() override;

    // Shows the title bars of `shown` (each with its content window's place on the real
    // screen, back to front) above `desktop`, in the dark appearance or not, and hides the
    // others. Returns whether a title bar was shown just now.
    bool update(const QList<std::pair<SimAppWindow *, QRect>> &shown, QWindow *desktop, bool dark);
    // Raises the title bar of `window`, if it has one, right above it.
    void raiseOver(QWindow *window);
    // Draws the title bars again (a window took or lost the keyboard, or was retitled).
    void repaint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    UserInput &m_hands;
    QHash<SimAppWindow *, std::shared_ptr<TitleBarWindow>> m_bars;
    // The shown windows' servers, by their Qt windows.
    QHash<QWindow *, QPointer<SimAppWindow>> m_servers;
    QList<QPointer<QWindow>> m_watched;
    // The window whose press went to the simulated mouse, until the release.
    QPointer<SimAppWindow> m_forwarding;
};

} // namespace zorv
