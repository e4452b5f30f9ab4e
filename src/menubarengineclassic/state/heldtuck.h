#pragma once

#include "latesttask.h"

#include <QCoroTask>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

class Clock;
class OpenMenus;

// The engine's own tuck, held while another application's menu is open: a tuck would move the
// menu's item out from under it. The latest tuck asked is made once every such menu has closed;
// a reveal or a tuck made meanwhile drops it. The user's own asks to tuck are never held. Main
// thread only.
class HeldTuck {
public:
    // Makes the tuck asked with the reason.
    using Tuck = std::function<QCoro::Task<>(QString reason)>;

    HeldTuck(const OpenMenus &menus, Clock &clock, Tuck tuck);

    // Holds a tuck asked with `reason` while a menu is open, unless the user asked it: true when
    // held. The latest reason stands.
    bool hold(const QString &reason);
    // A reveal or a tuck made since: the held one no longer waits.
    void drop();
    [[nodiscard]] bool holding() const { return m_reason.has_value(); }

private:
    const OpenMenus &m_menus;
    Clock &m_clock;
    Tuck m_tuck;
    std::optional<QString> m_reason;
    LatestTask m_watch;
};

} // namespace zorv
