#include "windowcontentinput.h"

#include "controls/mackeys.h"
#include "focusedcontrol.h"
#include "input/keylayout.h"
#include "pointertaken.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QWheelEvent>

#include <algorithm>

// Qt's own entry for a key typed on a window (what its test library uses): the key goes through
// the application's shortcuts before the focused item, as a key from the platform does.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow *window, QEvent::Type type, int key,
                                    Qt::KeyboardModifiers modifiers, const QString &text,
                                    bool autorep, ushort count);

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A line of scrolling as a Mac's scroll view takes it, and as a wheel's notch in Qt's measure.
constexpr double pixelsPerLine = 10;
constexpr double eighthsPerLine = 120;

struct MouseAction {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons held;
};

std::optional<MouseAction> mouseAction(EventType type) {
    switch (type) {
    case EventType::MouseMoved:
        return MouseAction{QEvent::MouseMove, Qt::NoButton, Qt::NoButton};
    case EventType::LeftMouseDown:
        return MouseAction{QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton};
    case EventType::LeftMouseDragged:
        return MouseAction{QEvent::MouseMove, Qt::NoButton, Qt::LeftButton};
    case EventType::LeftMouseUp:
        return MouseAction{QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton};
    case EventType::RightMouseDown:
        return MouseAction{QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton};
    case EventType::RightMouseDragged:
        return MouseAction{QEvent::MouseMove, Qt::NoButton, Qt::RightButton};
    case EventType::RightMouseUp:
        return MouseAction{QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton};
    case EventType::OtherMouseDown:
        return MouseAction{QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton};
    case EventType::OtherMouseDragged:
        return MouseAction{QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton};
    case EventType::OtherMouseUp:
        return MouseAction{QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton};
    default:
        return std::nullopt;
    }
}

// When an event happened, in milliseconds of a clock that only goes forward: later than the last
// event's, so that views working out a speed from two events never divide by nothing.
quint64 nextTimestamp() {
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    static quint64 last = 0;
    last = std::max(last + 1, quint64(started.elapsed()));
    return last;
}

// The text a key types: its character (upper case with Shift), a space, or a line break or tab;
// nothing with Command or Control held.
QString typedText(quint16 keyCode, int qtKey, quint64 flags) {
    if (!MacKeys::typesText(flags)) {
        return {};
    }
    if (const auto character = KeyLayout::character(keyCode, flags & EventFlags::shift)) {
        return flags & EventFlags::shift ? QString(character->toUpper()) : QString(*character);
    }
    if (keyCode == KeyCode::space) {
        return u" "_s;
    }
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        return u"\r"_s;
    }
    if (qtKey == Qt::Key_Tab) {
        return u"\t"_s;
    }
    return {};
}

// Sees the key arrive at the window and hands it on itself (straight to the focused control
// while Qt has another window active), to learn whether an item took it. A key no shortcut took
// reaches the window; one a shortcut took never does.
class KeyWatch final : public QObject {
public:
    explicit KeyWatch(QWindow &window) : m_window(&window) { window.installEventFilter(this); }
    ~KeyWatch() override {
        if (m_window) {
            m_window->removeEventFilter(this);
        }
    }

    [[nodiscard]] bool taken() const { return !m_arrived || m_accepted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        if (watched != m_window || !key || m_arrived) {
            return false;
        }
        m_arrived = true;
        m_window->removeEventFilter(this);
        auto *quick = qobject_cast<QQuickWindow *>(m_window.data());
        QQuickItem *control = quick ? focusedControl(*quick) : nullptr;
        if (control && !control->hasActiveFocus()) {
            // Qt has another window active still, and the window itself would drop the key.
            m_accepted = deliverTo(*control, *event);
        } else {
            static_cast<QObject *>(m_window.data())->event(event);
            m_accepted = event->isAccepted();
        }
        return true;
    }

private:
    // As the window delivers a key: to the control, then up its parents until one takes it.
    static bool deliverTo(QQuickItem &control, QEvent &event) {
        for (QQuickItem *item = &control; item; item = item->parentItem()) {
            event.accept();
            QCoreApplication::sendEvent(item, &event);
            if (event.isAccepted()) {
                return true;
            }
        }
        return false;
    }

    QPointer<QWindow> m_window;
    bool m_arrived = false;
    bool m_accepted = false;
};

} // namespace

bool WindowContentInput::deliver(SimAppWindow &window, const SimAppWindows::ContentEvent &event) {
    QWindow *qtWindow = window.window();
    if (!qtWindow) {
        return false;
    }
    if (event.type == EventType::KeyDown || event.type == EventType::KeyUp) {
        return key(*qtWindow, event);
    }
    if (event.type == EventType::ScrollWheel) {
        return wheel(*qtWindow, event);
    }
    return mouse(*qtWindow, event);
}

bool WindowContentInput::cutsCopiesOrPastes(const SimAppWindows::ContentEvent &event) {
    const auto qtKey = MacKeys::qtKey(event.keyCode);
    if (event.type != EventType::KeyDown || !qtKey) {
        return false;
    }
    const QKeyEvent key(QEvent::KeyPress, *qtKey, MacKeys::qtModifiers(event.flags));
    return key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Copy) ||
           key.matches(QKeySequence::Paste);
}

bool WindowContentInput::mouse(QWindow &window, const SimAppWindows::ContentEvent &event) {
    const auto action = mouseAction(event.type);
    if (!action) {
        return false;
    }
    QMouseEvent qtEvent(action->type, event.location, event.location,
                        window.mapToGlobal(event.location), action->button, action->held,
                        MacKeys::qtModifiers(event.flags));
    qtEvent.setAccepted(false);
    QCoreApplication::sendEvent(&window, &qtEvent);
    return pointerTaken(qtEvent);
}

bool WindowContentInput::wheel(QWindow &window, const SimAppWindows::ContentEvent &event) {
    const QPointF lines = event.scrollDelta;
    QWheelEvent qtEvent(event.location, window.mapToGlobal(event.location),
                        (lines * pixelsPerLine).toPoint(), (lines * eighthsPerLine).toPoint(),
                        Qt::NoButton, MacKeys::qtModifiers(event.flags), Qt::NoScrollPhase, false);
    qtEvent.setTimestamp(nextTimestamp());
    qtEvent.setAccepted(false);
    QCoreApplication::sendEvent(&window, &qtEvent);
    return qtEvent.isAccepted();
}

bool WindowContentInput::key(QWindow &window, const SimAppWindows::ContentEvent &event) {
    const auto qtKey = MacKeys::qtKey(event.keyCode);
    if (!qtKey) {
        return false;
    }
    // The window with the keyboard on the simulated Mac is the one Qt gives the keys to. Qt takes
    // the activation in later, with the display's answer; the control with the focus in the
    // window takes this key already (KeyWatch).
    if (QGuiApplication::focusWindow() != &window) {
        window.requestActivate();
        QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(&window, &focusIn);
    }
    const QEvent::Type type =
        event.type == EventType::KeyDown ? QEvent::KeyPress : QEvent::KeyRelease;
    const KeyWatch watch(window);
    qt_handleKeyEvent(&window, type, *qtKey, MacKeys::qtModifiers(event.flags),
                      typedText(event.keyCode, *qtKey, event.flags), false, 1);
    return watch.taken();
}

} // namespace zorv
