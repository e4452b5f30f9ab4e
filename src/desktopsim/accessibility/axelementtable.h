#pragma once

#include "axtypes.h"

#include <QHash>

#include <deque>
#include <optional>

namespace zorv {

// The accessibility element references handed out so far. An application element is a new
// reference per request and carries its own messaging time-out; an application's extras bar and
// its status items have one stable reference each.
class AXElementTable {
public:
    enum class Kind { Application, ExtrasBar, Item };

    struct Target {
        Kind kind = Kind::Application;
        // The process for application and bar elements, the item id for items.
        quint64 id = 0;
    };

    // Application references beyond this many lose their own time-out, oldest first, so that
    // long simulations with a scan every few seconds stay small.
    static constexpr std::size_t applicationCapacity = 4096;

    [[nodiscard]] AXElement applicationElement(qint32 processId);
    [[nodiscard]] static AXElement extrasBar(qint32 processId);
    [[nodiscard]] static AXElement item(quint64 itemId);

    // What the reference names; absent for references never handed out.
    [[nodiscard]] std::optional<Target> resolve(AXElement element) const;

    void setTimeout(AXElement element, double seconds);
    // The element's own time-out, else the system default.
    [[nodiscard]] double timeout(AXElement element) const;

private:
    QHash<quint64, qint32> m_applications;
    std::deque<quint64> m_applicationOrder;
    QHash<quint64, double> m_timeouts;
    quint64 m_nextApplication = 1;
};

} // namespace zorv
