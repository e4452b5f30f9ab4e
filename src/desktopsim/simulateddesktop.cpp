#include "simulateddesktop.h"

#include "input/itemmenu.h"
#include "layout/barview.h"
#include "layout/coordinates.h"

#include <algorithm>

#include <QPointer>
#include <QThread>

namespace zorv {

namespace {

bool isButtonEvent(EventType type) {
    switch (type) {
    case EventType::LeftMouseDown:
    case EventType::LeftMouseUp:
    case EventType::RightMouseDown:
    case EventType::RightMouseUp:
    case EventType::OtherMouseDown:
    case EventType::OtherMouseUp:
        return true;
    default:
        return false;
    }
}

} // namespace

SimulatedDesktop::UserEventTarget SimulatedDesktop::targetOf(const DesktopState &state,
                                                             std::chrono::nanoseconds now,
                                                             EventType type, QPointF cursor,
                                                             quint16 keyCode, quint64 flags) {
    if (type == EventType::KeyDown || type == EventType::KeyUp) {
        const quint32 modifiers = HotKeys::modifiersFor(flags);
        const bool held = std::ranges::any_of(state.hotKeys, [&](const HotKeyRecord &hotKey) {
            return hotKey.keyCode == keyCode && hotKey.modifiers == modifiers;
        });
        return held ? UserEventTarget::HotKey : UserEventTarget::Other;
    }
    if (!isButtonEvent(type)) {
        return UserEventTarget::Other;
    }
    const auto hit = BarView(state, now).hit(cursor);
    const ItemRecord *item = hit ? state.item(hit->itemId) : nullptr;
    return item && item->ownerProcessId == state.currentProcessId
               ? UserEventTarget::OwnStatusItem
               : UserEventTarget::Other;
}

SimulatedDesktop::SimulatedDesktop(Clock &clock, const AppDescription &currentProcess,
                                   QObject *parent)
    : QObject(parent), m_model(clock), m_applications(m_model), m_items(m_model),
      m_arrangement(m_model), m_permissions(m_model), m_settings(m_model), m_userInput(m_model),
      m_readout(m_model), m_statusBar(m_model, m_items), m_appPreferences(m_model),
      m_accessibility(m_model), m_inputEvents(m_model), m_screenCapture(m_model),
      m_screens(m_model), m_systemFacts(m_applications), m_desktopPictures(m_model),
      m_appWindows(m_model), m_application(m_model, m_applications, m_appWindows),
      m_menus(m_model, m_application), m_hotKeys(m_model), m_eventMonitors(m_model),
      m_toolTips(m_model) {
    m_applications.launchCurrentProcess(currentProcess);
    m_userInput.setListener([self = QPointer<SimulatedDesktop>(this)](
                                EventType type, QPointF cursor, quint16 keyCode, quint64 flags,
                                QPointF scrollDelta, bool toItemMenu) {
        if (!self) {
            return;
        }
        if (QThread::currentThread() == self->thread()) {
            self->routeUserEvent(type, cursor, keyCode, flags, scrollDelta, toItemMenu);
            return;
        }
        QMetaObject::invokeMethod(self,
                                  [self, type, cursor, keyCode, flags, scrollDelta, toItemMenu] {
                                      if (self) {
                                          self->routeUserEvent(type, cursor, keyCode, flags,
                                                               scrollDelta, toItemMenu);
                                      }
                                  });
    });
    // One menu tracks at a time: this application's and another's close each other as they open.
    connect(&m_menus, &MenuPresenter::menuOpened, this, [this] {
        const auto now = m_model.clock().now();
        m_model.write([now](DesktopState &state, ModelEffects &) {
            ItemMenu::close(state, MenuClosing::AnotherMenuOpened, now);
        });
    });
    connect(&m_model, &DesktopModel::clickDelivered, this, [this](const DeliveredClick &click) {
        if (click.ownerProcessId != m_applications.currentProcessId()) {
            m_menus.cancelTracking();
        }
    });
}

void SimulatedDesktop::routeUserEvent(EventType type, QPointF cursor, quint16 keyCode,
                                      quint64 flags, QPointF scrollDelta, bool toItemMenu) {
    m_toolTips.userEvent(type, cursor, m_menus.isTracking() || toItemMenu);
    // Another application's menu took it: only what listens to other applications' input hears
    // it.
    if (!toItemMenu && m_menus.userEvent(type, cursor, keyCode, flags)) {
        return;
    }
    const auto now = m_model.clock().now();
    const UserEventTarget target = m_model.read([&](const DesktopState &state) {
        return targetOf(state, now, type, cursor, keyCode, flags);
    });
    // A click on one of this application's own items is its own: no monitor of it sees that.
    if (target == UserEventTarget::OwnStatusItem && !toItemMenu) {
        return;
    }
    // A scroll goes to the window under the pointer, key window or not.
    if (type == EventType::ScrollWheel && m_appWindows.scrollEvent(cursor, scrollDelta, flags)) {
        return;
    }
    // A global hot key went to its holder alone, not to the key window.
    if (target != UserEventTarget::HotKey && !toItemMenu &&
        m_appWindows.userEvent(type, cursor, keyCode, flags)) {
        return;
    }
    const double top = m_model.read([](const DesktopState &state) { return state.primaryTop(); });
    m_eventMonitors.deliver({type, Coordinates::flipped(cursor, top), keyCode, flags});
}

SimulatedDesktop::~SimulatedDesktop() = default;

} // namespace zorv
