#pragma once

#include "appwindow.h"
#include "cancellation.h"
#include "model/desktopmodel.h"
#include "windows/titlebar.h"
#include "windows/windowrecord.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWindow>
#include <functional>
#include <optional>

namespace zorv {

class SimAppWindows;

// One window of the application on the simulated window server: its record (what tests assert
// on) mirrored onto the real Qt window that draws it (shown or hidden, size and place, and Qt's
// keyboard focus while it is the key window). Entering and leaving full screen take
// `fullScreenTransition` of simulated time, as the system's animation does, before the
// notification. The user* calls are the script API.
class SimAppWindow final : public AppWindow {
    Q_OBJECT

public:
    static constexpr double fullScreenTransition = 0.5;

    SimAppWindow(SimAppWindows &windows, QWindow &window);
    ~SimAppWindow() override;

    [[nodiscard]] bool isVisible() const override { return m_record.visible; }
    [[nodiscard]] bool isFullScreen() const override { return m_record.fullScreen; }
    void toggleFullScreen() override;
    [[nodiscard]] bool isZoomed() const override { return m_record.zoomed; }
    void setZoomed(bool zoomed) override;
    [[nodiscard]] bool isMiniaturized() const override { return m_record.miniaturized; }
    void deminiaturize() override;
    [[nodiscard]] QSizeF contentSize() const override { return m_record.frame.size(); }
    void setContentSize(QSizeF size) override;
    void center() override;
    void makeKeyAndOrderFront() override;
    void close() override { userCloses(); }
    [[nodiscard]] WindowStyle style() const override { return m_record.style; }
    void setStyle(const WindowStyle &style) override;
    [[nodiscard]] QRectF frame() const override;
    void setFrame(const QRectF &frame) override;
    void orderFrontRegardless() override;
    void orderOut() override;
    void setFrameTopLeftPoint(QPointF topLeft) override;
    [[nodiscard]] bool isKeyWindow() const override { return m_record.key; }

    [[nodiscard]] const WindowRecord &record() const { return m_record; }
    [[nodiscard]] QWindow *window() const { return m_window; }
    // The title its title bar shows.
    [[nodiscard]] QString title() const { return m_window ? m_window->title() : QString(); }

    // Script calls: what the user does to the window. Zooming and full screen do nothing to a
    // window that cannot be resized, and minimising nothing to one that cannot be minimised, as
    // with the Window menu's rows and the title bar's buttons.
    void userMoves(QPointF topLeft);
    void userResizes(QSizeF size);
    void userZooms();
    void userMinimizes();
    void userEntersFullScreen();
    // Closes the window (ordered out); a full-screen window stays full screen.
    void userCloses();

    // Takes the keyboard away, telling the window when it had it.
    void resignKey();

    // Shows or hides the Qt window with the record, at its frame: what happens to every change
    // of the record unless SimAppWindows has a presenter.
    void showAtFrame();

private:
    friend class SimAppWindows;

    QCoro::Task<> finishFullScreen(bool entering, CancellationToken lifetime);
    // Gives up the keyboard as the window leaves the screen, to the application's next window.
    void leaveKey();
    [[nodiscard]] QRectF visibleArea() const;
    void mirror();

    SimAppWindows &m_windows;
    QPointer<QWindow> m_window;
    WindowRecord m_record;
    // The frame to return to when leaving zoom or full screen.
    QRectF m_restoreFrame;
    // Made the key window since it was last mirrored.
    bool m_madeKey = false;
    bool m_transitioning = false;
    CancellationSource m_lifetime;
};

// The simulated window server's side of the application's windows: adopts Qt windows, keeps the
// front order and the key window. Main thread.
class SimAppWindows final : public AppWindows {
public:
    // Puts a window's record on the real display, after every change of it.
    using Presenter = std::function<void(SimAppWindow &)>;

    // The user's input for a window's content: a mouse event at a point relative to the
    // content's top-left corner (the buttons held after it), or a key with the modifier flags. A
    // scroll carries the lines scrolled, as LoggedEvent::scrollDelta.
    struct ContentEvent {
        EventType type = EventType::MouseMoved;
        QPointF location;
        quint16 keyCode = 0;
        quint64 flags = EventFlags::none;
        QPointF scrollDelta{};

        friend bool operator==(const ContentEvent &, const ContentEvent &) = default;
    };
    // Hands an event to the content; returns whether something there took it (a press that no
    // control takes lands on the window's background).
    using ContentInput = std::function<bool(SimAppWindow &, const ContentEvent &)>;

    // Whether the active application's main menu performs the key (its Close Window row, say).
    using MainMenuKeys = std::function<bool(quint16 keyCode, quint64 flags)>;
    // Carries an action sent to the first responder ("copy:", "selectAll:") out in a window's
    // content: to the control with the keyboard there. Returns whether one took it.
    using FirstResponder = std::function<bool(SimAppWindow &, const QString &action)>;

    explicit SimAppWindows(DesktopModel &model);
    ~SimAppWindows() override;
    SimAppWindows(const SimAppWindows &) = delete;
    SimAppWindows &operator=(const SimAppWindows &) = delete;

    // Hands every change of a window's record to `presenter` (each window at once, then at every
    // change) instead of showing the Qt window at its frame; with an empty one, changes from
    // then on show it at its frame again.
    void setPresenter(Presenter presenter);

    // Gives the user's input for windows' content to `input` (without one, the content sees
    // none of it).
    void setContentInput(ContentInput input) { m_contentInput = std::move(input); }

    // Tells the window server which keys the application's main menu takes: Command-W then
    // closes the key window through the menu's row alone.
    void setMainMenuKeys(MainMenuKeys keys) { m_mainMenuKeys = std::move(keys); }

    // Hands responder actions to the windows' content through `responder` (without one, no
    // content takes any).
    void setFirstResponder(FirstResponder responder) { m_firstResponder = std::move(responder); }
    // Sends `action` to the first responder in the key window; false when nothing there took it.
    bool sendToFirstResponder(const QString &action);

    [[nodiscard]] std::unique_ptr<AppWindow> adopt(QWindow &window) override;

    // Every adopted window still alive, in adoption order.
    [[nodiscard]] QList<SimAppWindow *> windows() const;
    // Every adopted window still alive, back to front: by level, then the window ordered front
    // last on top among equals; windows never ordered front keep their adoption order.
    [[nodiscard]] QList<SimAppWindow *> stackingOrder() const;
    // The key window, if any.
    [[nodiscard]] SimAppWindow *keyWindow() const;
    // While no window has the keyboard, the application's frontmost visible window that can take
    // it takes it, as on a Mac when the key window went or the application's windows come back;
    // with none, no window has it.
    void passKeyOn();
    // The frontmost visible window under the point (top-left convention) that takes clicks,
    // title bar included.
    [[nodiscard]] SimAppWindow *windowAt(QPointF location) const;

    // What the user's input does to the application's windows. Returns whether the event was
    // aimed at one of them (a mouse event over one or while a press on one is held, a key while
    // one has the keyboard); global monitors do not see such events.
    //
    // A press on a window brings it to the front (and gives it the keyboard when it can take
    // it). On its title bar the press works the buttons (a usable button acts when the release
    // comes back over it) or, elsewhere on the bar, moves the window with the drag; on the
    // content it goes to the content, and a left press that nothing there takes moves a window
    // movable by its background with the drag. The drag and the release go where the press went,
    // and every press the content sees gets its release there, wherever the pointer or the window
    // went meanwhile. A press outside every window activates another application: the key window
    // resigns and windows that hide on deactivation go. Keys go to the key window's content:
    // Command-W closes a closable key window (unless the main menu's row does it), and Escape
    // that nothing in the content takes asks the window to cancel.
    bool userEvent(EventType type, QPointF location, quint16 keyCode, quint64 flags);
    // A scroll of `delta` lines (as LoggedEvent::scrollDelta) at the point goes to the content of
    // the frontmost window there, whether or not it is the key window, and brings nothing forward.
    // Returns whether a window was there.
    bool scrollEvent(QPointF location, QPointF delta, quint64 flags);

private:
    friend class SimAppWindow;

    // Where the held button went down.
    struct Press {
        enum class Kind { Content, Move, Button };

        QPointer<SimAppWindow> window;
        EventType down = EventType::LeftMouseDown;
        Kind kind = Kind::Content;
        TitleBar::Button button = TitleBar::Button::Close;
        // The pointer's offset from the content's top-left corner at the press.
        QPointF grab;
        // The content saw the press, and sees the release.
        bool contentPressed = false;
    };

    // Windows go with their display as it moves; the windows of a display that is gone move onto
    // the primary display, and those of a display that shrinks stay within it, as macOS does, so
    // that none is left where no screen shows it.
    void followScreens();

    // Gives the key window's Qt window Qt's keyboard focus, so that the keys the key window is
    // handed reach its focused control.
    void focusKeyWindow() const;
    bool mouseEvent(EventType type, QPointF location, quint64 flags);
    bool keyEvent(EventType type, quint16 keyCode, quint64 flags);
    void pressOn(SimAppWindow &window, EventType type, QPointF location, quint64 flags);
    void releaseButton(const Press &press, QPointF location);
    bool toContent(SimAppWindow &window, EventType type, QPointF location, quint64 flags);
    void deactivate();

    DesktopModel &m_model;
    ContentInput m_contentInput;
    MainMenuKeys m_mainMenuKeys;
    FirstResponder m_firstResponder;
    std::optional<Press> m_press;
    QList<QPointer<SimAppWindow>> m_windows;
    quint64 m_nextFrontOrder = 1;
    Presenter m_presenter;
    // Each display's frame (top-left convention) when the screens last changed.
    QHash<DisplayId, QRectF> m_screenFrames;
    QMetaObject::Connection m_screensWatch;
};

} // namespace zorv
