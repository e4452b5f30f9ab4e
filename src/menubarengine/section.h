#pragma once

#include "jsonreader.h"

#include <QHashFunctions>
#include <QJsonValue>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace zorv {

// The three parts of the menu bar an item can be sorted into. Stored in every layout file by its
// raw value ("shown", "hidden", "alwaysHidden"), so the raw values never change.
enum class Section { shown, hidden, alwaysHidden };

// Every section, in declaration order.
inline constexpr std::array<Section, 3> allSections{Section::shown, Section::hidden,
                                                    Section::alwaysHidden};

[[nodiscard]] QString rawValue(Section section);
// The section with exactly this raw value (case-sensitive), nullopt for any other text.
[[nodiscard]] std::optional<Section> sectionFromRawValue(QStringView raw);

// A section is written as its raw value string.
[[nodiscard]] QJsonValue toJson(Section section);

inline size_t qHash(Section section, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(section), seed);
}

// Reads a raw value string; any other string or type fails the decode.
template <> Section JsonValueRef::as<Section>() const;

} // namespace zorv
