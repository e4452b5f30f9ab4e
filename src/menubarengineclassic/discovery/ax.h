#pragma once

#include "axtypes.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>
#include <variant>

namespace zorv {

class Accessibility;

// Reads other applications' status items through the accessibility interface: an application's
// items, an item's frame, title and identifier. Every failure (no permission, a process gone, an
// unsupported attribute, a value of the wrong type, a time-out) yields an empty or absent result;
// nothing throws, retries or logs. Each call is a synchronous request to another process, so call
// it from a worker thread. Stateless apart from the interface it reads through; thread-safe.
class AX {
public:
    // How long the request for an application's bar waits for an answer.
    static constexpr double barMessagingTimeout = 0.25;
    // A frame component beyond this many points is taken as garbage, not geometry.
    static constexpr double largestFrameComponent = 1'000'000.0;

    explicit AX(Accessibility &accessibility) : m_accessibility(accessibility) {}

    // The attribute's value when it can be read and holds a T; absent otherwise. `answered`, when
    // given, is cleared when the request timed out.
    template <typename T>
    [[nodiscard]] std::optional<T> value(AXElement element, const QString &attribute,
                                         bool *answered = nullptr) const {
        const std::optional<AXAttributeValue> read = readValue(element, attribute, answered);
        if (!read || !std::holds_alternative<T>(*read)) {
            return std::nullopt;
        }
        return std::get<T>(*read);
    }

    // The status items of the application, in the order it reports them. `answered`, when given,
    // is set to false when the application did not answer in time (it hangs), which an empty
    // list alone cannot tell from an application without items.
    [[nodiscard]] QList<AXElement> extrasItems(qint32 processId, bool *answered = nullptr) const;
    // Where the application's menus end: the right edge of the rightmost of its menu-bar items
    // ("AXMenuBar", then "AXChildren"); absent when it shows none or does not answer in time,
    // which `answered`, when given, tells apart as extrasItems does.
    [[nodiscard]] std::optional<double> menusRight(qint32 processId,
                                                   bool *answered = nullptr) const;
    // From "AXPosition" and "AXSize", read independently: an unreadable part stays zero. A frame
    // with a component that is not finite or lies beyond largestFrameComponent is unreadable as a
    // whole and comes back as the zero rectangle.
    [[nodiscard]] QRectF frame(AXElement element) const;
    // The first non-empty of "AXTitle", "AXDescription", "AXHelp"; never the empty string.
    [[nodiscard]] std::optional<QString> title(AXElement element) const;
    // "AXIdentifier" as a string, absent when it cannot be read.
    [[nodiscard]] std::optional<QString> identifier(AXElement element) const;

private:
    [[nodiscard]] std::optional<AXAttributeValue>
    readValue(AXElement element, const QString &attribute, bool *answered = nullptr) const;

    Accessibility &m_accessibility;
};

} // namespace zorv
