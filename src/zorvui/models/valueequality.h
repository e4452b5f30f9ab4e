#pragma once

#include <QVariant>

namespace zorv {

// Equality of the values QML hands to the kit's models (a picker's selection and option values,
// the keys of rows): a number equals the same number whatever its width or whether it came as an
// integer or a double, text equals the same text, nothing (invalid, null, JavaScript null or
// undefined) equals only nothing, lists and objects equal each other element by element; values of
// different kinds never equal each other, so the text "1" is not the number 1 and "true" is not
// true. Other types equal values of the same type that compare equal.
[[nodiscard]] bool sameValue(const QVariant &a, const QVariant &b);

} // namespace zorv
