#include "hotkeys/simhotkeys.h"

#include <algorithm>

namespace zorv {

SimHotKeys::SimHotKeys(DesktopModel &model) : m_model(model) {
    connect(&m_model, &DesktopModel::hotKeyPressed, this, &HotKeys::pressed);
}

qint32 SimHotKeys::add(qint32 processId, quint16 keyCode, quint32 modifiers, HotKeyID id) {
    return m_model.write([&](DesktopState &state, ModelEffects &) {
        const bool taken = std::ranges::any_of(state.hotKeys, [&](const HotKeyRecord &held) {
            return held.keyCode == keyCode && held.modifiers == modifiers;
        });
        if (taken) {
            return hotKeyExistsErr;
        }
        state.hotKeys.append(HotKeyRecord{processId, keyCode, modifiers, id});
        return noErr;
    });
}

qint32 SimHotKeys::registerHotKey(quint16 keyCode, quint32 modifiers, HotKeyID id) {
    const qint32 self =
        m_model.read([](const DesktopState &state) { return state.currentProcessId; });
    return add(self, keyCode, modifiers, id);
}

qint32 SimHotKeys::unregisterHotKey(HotKeyID id) {
    return m_model.write([&](DesktopState &state, ModelEffects &) {
        const qint32 self = state.currentProcessId;
        const qsizetype removed = state.hotKeys.removeIf(
            [&](const HotKeyRecord &held) { return held.ownerProcessId == self && held.id == id; });
        return removed > 0 ? noErr : invalidHotKeyErr;
    });
}

bool SimHotKeys::holdForApplication(qint32 processId, quint16 keyCode, quint32 modifiers) {
    return add(processId, keyCode, modifiers, HotKeyID{}) == noErr;
}

QList<HotKeyRecord> SimHotKeys::registrations() const {
    return m_model.read([](const DesktopState &state) { return state.hotKeys; });
}

QList<HotKeyRecord> SimHotKeys::ownRegistrations() const {
    return m_model.read([](const DesktopState &state) {
        QList<HotKeyRecord> own;
        for (const HotKeyRecord &held : state.hotKeys) {
            if (held.ownerProcessId == state.currentProcessId) {
                own.append(held);
            }
        }
        return own;
    });
}

QList<KeyDelivery> SimHotKeys::keyDeliveries() const {
    return m_model.read([](const DesktopState &state) {
        return QList<KeyDelivery>(state.keyDeliveries.begin(), state.keyDeliveries.end());
    });
}

} // namespace zorv
