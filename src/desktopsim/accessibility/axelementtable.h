#pragma once

#include "axtypes.h"

#include <QHash>

#include <deque>
#include <optional>

namespace zorv {

// The accessibility element references handed out so far. An application element is a new
// reference per request and can carry its own messaging time-out; an application's extras bar and
// its status items have one stable reference each. A reference stays valid however many more are
// handed out: reads through it fail only once its process is gone.
class AXElementTable {
public:
    enum class Kind { Application, ExtrasBar, Item, MenuBar, Menu };

    struct Target {
        Kind kind = Kind::Application;
        // The process for application, bar and menu elements, the item id for items.
        quint64 id = 0;
        // Which of its application's menu-bar entries a menu element is.
        int index = 0;
    };

    // Beyond this many references with a time-out of their own, the oldest fall back to the
    // default, so that long simulations with a scan every few seconds stay small.
    static constexpr std::size_t timeoutCapacity = 4096;

    [[nodiscard]] AXElement applicationElement(qint32 processId);
    [[nodiscard]] static AXElement extrasBar(qint32 processId);
    [[nodiscard]] static AXElement item(quint64 itemId);
    [[nodiscard]] static AXElement menuBar(qint32 processId);
    [[nodiscard]] static AXElement menu(qint32 processId, int index);

    // What the reference names; absent for references never handed out.
    [[nodiscard]] std::optional<Target> resolve(AXElement element) const;

    // A time-out of 0 gives the element the default again.
    void setTimeout(AXElement element, double seconds);
    // The element's own time-out, else the system default.
    [[nodiscard]] double timeout(AXElement element) const;

private:
    QHash<quint64, double> m_timeouts;
    // Oldest first.
    std::deque<quint64> m_timeoutOrder;
    quint64 m_nextApplication = 1;
};

} // namespace zorv
