#pragma once

#include "hotkeys.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace zorv {

class HotKey;
class SystemLog;

// Hands out this application's global hot keys under the signature "ZORV" with numbers that are
// never reused in the process (from 1), and runs the action of the number the system reports
// pressed. A press whose number has no action (already unregistered) is ignored. Main thread.
class HotKeyCenter : public QObject {
    Q_OBJECT

public:
    // 'ZORV'.
    static constexpr quint32 signature = 0x5A4F5256;

    HotKeyCenter(HotKeys &system, SystemLog &log, QObject *parent = nullptr);

    // Registers at once; a combination the system refuses is logged and leaves the key
    // unregistered (its action is still kept under its number until it is unregistered).
    [[nodiscard]] std::unique_ptr<HotKey> make(quint16 keyCode, quint64 eventFlags,
                                               std::function<void()> action);

private:
    friend class HotKey;
    void pressed(HotKeyID id);

    HotKeys &m_system;
    SystemLog &m_log;
    QHash<quint32, std::function<void()>> m_actions;
    quint32 m_nextID = 1;
};

// One global hot key of this application, registered from its creation until unregister() (or
// its destruction).
class HotKey {
public:
    ~HotKey();
    HotKey(const HotKey &) = delete;
    HotKey &operator=(const HotKey &) = delete;

    [[nodiscard]] quint32 id() const { return m_id; }
    [[nodiscard]] quint16 keyCode() const { return m_keyCode; }
    [[nodiscard]] quint64 eventFlags() const { return m_eventFlags; }
    [[nodiscard]] bool isRegistered() const { return m_registered; }
    // Ends the registration and forgets the action; a second call does nothing.
    void unregister();

private:
    friend class HotKeyCenter;
    HotKey(HotKeyCenter &center, quint32 id, quint16 keyCode, quint64 eventFlags)
        : m_center(&center), m_id(id), m_keyCode(keyCode), m_eventFlags(eventFlags) {}

    QPointer<HotKeyCenter> m_center;
    quint32 m_id;
    quint16 m_keyCode;
    quint64 m_eventFlags;
    bool m_registered = false;
};

} // namespace zorv
