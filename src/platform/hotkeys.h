#pragma once

#include <QObject>

namespace zorv {

// The identity a global hot key is registered under: a four-character signature of the
// application and a number of its choosing (EventHotKeyID).
struct HotKeyID {
    quint32 signature = 0;
    quint32 id = 0;

    friend bool operator==(const HotKeyID &, const HotKeyID &) = default;
};

// Stands in for the system's global hot keys (RegisterEventHotKey): a key code with a modifier
// combination that reaches this application whichever application is in front, and is taken
// from every other one. Results are the system's status codes. Main thread.
class HotKeys : public QObject {
    Q_OBJECT

public:
    // Status codes.
    static constexpr qint32 noErr = 0;
    // The combination is held by another registration, of this or another application.
    static constexpr qint32 hotKeyExistsErr = -9878;
    // The registration to end does not exist.
    static constexpr qint32 invalidHotKeyErr = -9879;

    // Modifiers of a registration (the system's own bits, not the event flags).
    static constexpr quint32 cmdKey = 256;
    static constexpr quint32 shiftKey = 512;
    static constexpr quint32 optionKey = 2048;
    static constexpr quint32 controlKey = 4096;

    // The registration modifiers of event modifier flags; other flags are dropped.
    [[nodiscard]] static constexpr quint32 modifiersFor(quint64 eventFlags) {
        quint32 modifiers = 0;
        modifiers |= (eventFlags & 0x100000) ? cmdKey : 0;
        modifiers |= (eventFlags & 0x20000) ? shiftKey : 0;
        modifiers |= (eventFlags & 0x80000) ? optionKey : 0;
        modifiers |= (eventFlags & 0x40000) ? controlKey : 0;
        return modifiers;
    }

    explicit HotKeys(QObject *parent = nullptr);
    ~HotKeys() override;

    // Registers the combination under `id`; noErr, or hotKeyExistsErr when it is taken.
    virtual qint32 registerHotKey(quint16 keyCode, quint32 modifiers, HotKeyID id) = 0;
    // noErr, or invalidHotKeyErr when nothing is registered under `id`.
    virtual qint32 unregisterHotKey(HotKeyID id) = 0;

Q_SIGNALS:
    // The user pressed a registered combination.
    void pressed(zorv::HotKeyID id);
};

} // namespace zorv
