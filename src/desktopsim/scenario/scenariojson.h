#pragma once

#include "displayid.h"
#include "jsonreader.h"
#include "model/apprecord.h"
#include "script/rememberedpositions.h"

#include <QColor>
#include <QRectF>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <utility>

namespace zorv {

// Small strict readers shared by the scenario types. Scenario files are written by hand, so a
// misspelt key must fail loudly instead of being ignored: every object is checked against the keys
// its reader knows.
namespace scenariojson {

// Throws DecodeError at the first key of `object` that is not in `known`.
void checkKeys(const JsonObjectRef &object, const QStringList &known);

// "#rrggbb".
[[nodiscard]] QColor toColor(const JsonValueRef &value);

// A screen frame {"x", "y", "width", "height"}: x and y within 100,000 points of the origin,
// width and height from 1 to 16,384 points.
[[nodiscard]] QRectF toRect(const JsonValueRef &value);

// A number at least `min`.
[[nodiscard]] double toNumberAtLeast(const JsonValueRef &value, double min);
// A number from `min` to `max`.
[[nodiscard]] double toNumberBetween(const JsonValueRef &value, double min, double max);

// A display id: 1 or more.
[[nodiscard]] DisplayId toDisplayId(const JsonValueRef &value);

// "always", "slowGestureOnly" or "never".
[[nodiscard]] DragAcceptance toDragAcceptance(const JsonValueRef &value);

// A value of the global preferences domain: a number, a string or a bool.
[[nodiscard]] QVariant toPreferenceValue(const JsonValueRef &value);

// {owner: {autosaveName: points}}, every distance at least 0.
[[nodiscard]] RememberedPositions toPositions(const JsonValueRef &value);

// One of the names in `cases`, mapped to its value.
template <typename E>
[[nodiscard]] E toEnum(const JsonValueRef &value,
                       std::initializer_list<std::pair<const char16_t *, E>> cases) {
    const QString text = value.toString();
    QStringList names;
    for (const auto &[name, result] : cases) {
        if (text == QStringView(name)) {
            return result;
        }
        names.append(QLatin1Char('"') + QString::fromUtf16(name) + QLatin1Char('"'));
    }
    value.fail(QStringLiteral("Expected one of %1.").arg(names.join(QStringLiteral(", "))));
}

} // namespace scenariojson

} // namespace zorv
