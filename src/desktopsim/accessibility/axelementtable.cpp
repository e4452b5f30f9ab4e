#include "accessibility/axelementtable.h"

#include "accessibility.h"

namespace zorv {

namespace {

// The top byte of a handle tells the kind; the rest is the serial, process id or item id.
constexpr int kindShift = 56;
constexpr quint64 payloadMask = (quint64(1) << kindShift) - 1;

quint64 encode(AXElementTable::Kind kind, quint64 payload) {
    return (quint64(static_cast<int>(kind) + 1) << kindShift) | (payload & payloadMask);
}

} // namespace

AXElement AXElementTable::applicationElement(qint32 processId) {
    const quint64 handle = encode(Kind::Application, m_nextApplication++);
    m_applications.insert(handle, processId);
    m_applicationOrder.push_back(handle);
    if (m_applicationOrder.size() > applicationCapacity) {
        const quint64 oldest = m_applicationOrder.front();
        m_applicationOrder.pop_front();
        m_applications.remove(oldest);
        m_timeouts.remove(oldest);
    }
    return AXElement{handle};
}

AXElement AXElementTable::extrasBar(qint32 processId) {
    return AXElement{encode(Kind::ExtrasBar, quint32(processId))};
}

AXElement AXElementTable::item(quint64 itemId) {
    return AXElement{encode(Kind::Item, itemId)};
}

std::optional<AXElementTable::Target> AXElementTable::resolve(AXElement element) const {
    const quint64 kindBits = element.handle >> kindShift;
    const quint64 payload = element.handle & payloadMask;
    switch (kindBits) {
    case 1: {
        const auto found = m_applications.constFind(element.handle);
        if (found == m_applications.cend()) {
            return std::nullopt;
        }
        return Target{Kind::Application, quint64(quint32(*found))};
    }
    case 2:
        return Target{Kind::ExtrasBar, payload};
    case 3:
        return Target{Kind::Item, payload};
    default:
        return std::nullopt;
    }
}

void AXElementTable::setTimeout(AXElement element, double seconds) {
    if (!resolve(element)) {
        return;
    }
    m_timeouts.insert(element.handle, seconds);
}

double AXElementTable::timeout(AXElement element) const {
    return m_timeouts.value(element.handle, Accessibility::defaultMessagingTimeout);
}

} // namespace zorv
