#pragma once

#include "hotkeys.h"
#include "model/desktopmodel.h"

namespace zorv {

// The simulated Mac's global hot keys. A combination is held by at most one registration on the
// whole desktop: registering one that this or another application already holds fails with
// hotKeyExistsErr. Presses reach the holder and not the frontmost application (InputDispatch);
// this process's presses arrive as pressed(). The script calls make other applications hold
// combinations and list what is registered.
class SimHotKeys final : public HotKeys {
    Q_OBJECT

public:
    explicit SimHotKeys(DesktopModel &model);

    qint32 registerHotKey(quint16 keyCode, quint32 modifiers, HotKeyID id) override;
    qint32 unregisterHotKey(HotKeyID id) override;

    // Script: another application registers the combination (as it would at its launch); false
    // when it is already held.
    bool holdForApplication(qint32 processId, quint16 keyCode, quint32 modifiers);
    // Every registration on the desktop, in registration order.
    [[nodiscard]] QList<HotKeyRecord> registrations() const;
    // This process's registrations.
    [[nodiscard]] QList<HotKeyRecord> ownRegistrations() const;
    [[nodiscard]] QList<KeyDelivery> keyDeliveries() const;

private:
    qint32 add(qint32 processId, quint16 keyCode, quint32 modifiers, HotKeyID id);

    DesktopModel &m_model;
};

} // namespace zorv
