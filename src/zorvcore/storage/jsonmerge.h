#pragma once

#include <QJsonValue>

namespace zorv {

// Lays `override` over `base`: objects merge key by key at every depth; anything else (arrays,
// scalars, null, or a value whose type differs from the base's) is taken from `override` whole.
// Store files use it to fill in keys that an older file lacks from the encoded defaults.
[[nodiscard]] QJsonValue deepMerge(const QJsonValue &base, const QJsonValue &override);

} // namespace zorv
