#include "accessibility/axelementtable.h"

#include "accessibility.h"

#include <algorithm>

namespace zorv {

namespace {

// The top bits of a handle tell the kind. An application reference carries its process id in the
// low 32 bits and its serial above them, so that it names its process for as long as anyone holds
// it; bars carry the process id, items the item id and menus the process id with their index above.
constexpr int kindShift = 60;
constexpr int serialShift = 32;
constexpr quint64 payloadMask = (quint64(1) << kindShift) - 1;
constexpr quint64 processMask = (quint64(1) << serialShift) - 1;

quint64 encode(AXElementTable::Kind kind, quint64 payload) {
    return (quint64(static_cast<int>(kind) + 1) << kindShift) | (payload & payloadMask);
}

} // namespace

AXElement AXElementTable::applicationElement(qint32 processId) {
    const quint64 serial = m_nextApplication++;
    return AXElement{encode(Kind::Application, (serial << serialShift) | quint32(processId))};
}

AXElement AXElementTable::extrasBar(qint32 processId) {
    return AXElement{encode(Kind::ExtrasBar, quint32(processId))};
}

AXElement AXElementTable::item(quint64 itemId) {
    return AXElement{encode(Kind::Item, itemId)};
}

AXElement AXElementTable::menuBar(qint32 processId) {
    return AXElement{encode(Kind::MenuBar, quint32(processId))};
}

AXElement AXElementTable::menu(qint32 processId, int index) {
    return AXElement{
        encode(Kind::Menu, (quint64(quint32(index)) << serialShift) | quint32(processId))};
}

std::optional<AXElementTable::Target> AXElementTable::resolve(AXElement element) const {
    const quint64 kindBits = element.handle >> kindShift;
    const quint64 payload = element.handle & payloadMask;
    switch (kindBits) {
    case 1:
        if ((payload >> serialShift) >= m_nextApplication) {
            return std::nullopt;
        }
        return Target{Kind::Application, quint64(quint32(payload & processMask))};
    case 2:
        return Target{Kind::ExtrasBar, payload};
    case 3:
        return Target{Kind::Item, payload};
    case 4:
        return Target{Kind::MenuBar, payload};
    case 5:
        return Target{Kind::Menu, quint64(quint32(payload & processMask)),
                      int(quint32(payload >> serialShift))};
    default:
        return std::nullopt;
    }
}

void AXElementTable::setTimeout(AXElement element, double seconds) {
    if (!resolve(element)) {
        return;
    }
    // Most references set here are new ones: look for an earlier entry only when there is one.
    if (m_timeouts.contains(element.handle)) {
        std::erase(m_timeoutOrder, element.handle);
    }
    if (seconds == 0.0) {
        m_timeouts.remove(element.handle);
        return;
    }
    m_timeouts.insert(element.handle, seconds);
    m_timeoutOrder.push_back(element.handle);
    if (m_timeoutOrder.size() > timeoutCapacity) {
        m_timeouts.remove(m_timeoutOrder.front());
        m_timeoutOrder.pop_front();
    }
}

double AXElementTable::timeout(AXElement element) const {
    return m_timeouts.value(element.handle, Accessibility::defaultMessagingTimeout);
}

} // namespace zorv
