#pragma once

#include <QHashFunctions>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <variant>

namespace zorv {

// Result codes of accessibility requests (AXError). Anything but Success is a failed request.
enum class AXError {
    Success,
    Failure,
    IllegalArgument,
    InvalidUIElement,
    CannotComplete,       // the application did not answer within the messaging time-out
    AttributeUnsupported, // the element has no such attribute
    NoValue,              // the attribute exists but holds no value
    APIDisabled,          // this process is not trusted for accessibility
    NotImplemented,
    ActionUnsupported, // the element does not perform that action
};

// An opaque reference to one accessibility element (AXUIElementRef) of some application. Two
// references to the same element compare equal. A default-constructed reference names nothing.
struct AXElement {
    quint64 handle = 0;

    [[nodiscard]] bool isNull() const { return handle == 0; }
    friend bool operator==(const AXElement &, const AXElement &) = default;
};

inline size_t qHash(const AXElement &element, size_t seed = 0) {
    return ::qHash(element.handle, seed);
}

// An attribute's value with its type, as the application supplies it: an element, an array of
// elements, a boxed point, a boxed size, a string, a number or a boolean. Which alternative comes
// back is up to the application, so a reader must check it: an "AXPosition" that holds a string is
// possible. Points and sizes use the top-left convention: origin at the top-left corner of the
// primary display, y growing downwards.
using AXAttributeValue =
    std::variant<AXElement, QList<AXElement>, QPointF, QSizeF, QString, double, bool>;

// The outcome of one attribute read: an error code and, on success, the value (which can still be
// absent).
struct AXAttributeResult {
    AXError error = AXError::Success;
    std::optional<AXAttributeValue> value;

    friend bool operator==(const AXAttributeResult &, const AXAttributeResult &) = default;
};

} // namespace zorv
