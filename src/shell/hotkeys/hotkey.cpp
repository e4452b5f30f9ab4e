#include "hotkeys/hotkey.h"

#include "systemlog.h"

using namespace Qt::StringLiterals;

namespace zorv {

HotKeyCenter::HotKeyCenter(HotKeys &system, SystemLog &log, QObject *parent)
    : QObject(parent), m_system(system), m_log(log) {
    connect(&m_system, &HotKeys::pressed, this, &HotKeyCenter::pressed);
}

std::unique_ptr<HotKey> HotKeyCenter::make(quint16 keyCode, quint64 eventFlags,
                                           std::function<void()> action) {
    const quint32 id = m_nextID++;
    std::unique_ptr<HotKey> key(new HotKey(*this, id, keyCode, eventFlags));
    // Kept before registering, so that the table holds the action even when registering fails.
    m_actions.insert(id, std::move(action));
    const qint32 status = m_system.registerHotKey(keyCode, HotKeys::modifiersFor(eventFlags),
                                                  HotKeyID{signature, id});
    if (status == HotKeys::noErr) {
        key->m_registered = true;
    } else {
        m_log.write(
            u"Zorv: could not register hotkey (code %1): OSStatus %2"_s.arg(keyCode).arg(status));
    }
    return key;
}

void HotKeyCenter::pressed(HotKeyID id) {
    // Copied: the action may unregister keys and so change the table.
    const auto action = m_actions.value(id.id);
    if (action) {
        action();
    }
}

HotKey::~HotKey() {
    unregister();
}

void HotKey::unregister() {
    if (!m_center) {
        return;
    }
    if (m_registered) {
        (void)m_center->m_system.unregisterHotKey(HotKeyID{HotKeyCenter::signature, m_id});
        m_registered = false;
    }
    m_center->m_actions.remove(m_id);
}

} // namespace zorv
