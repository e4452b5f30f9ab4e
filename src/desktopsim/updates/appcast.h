#pragma once

#include "updater.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Reads an appcast: an RSS 2.0 feed whose channel lists one item per published build. An item's
// versions come from its "version" and "shortVersionString" elements, or from the attributes of
// the same names on its enclosure (any namespace prefix); items without a version are skipped.
// Absent when the bytes are not a well-formed RSS document.
class Appcast {
public:
    Appcast() = delete;

    [[nodiscard]] static std::optional<QList<AppcastItem>> parse(const QByteArray &bytes);
    // Whether `version` is above `than`, dotted numbers compared piece by piece; a version that
    // is no such number is above nothing.
    [[nodiscard]] static bool isNewer(const QString &version, const QString &than);
    // The item with the highest version above `build` (dotted numbers compared piece by piece);
    // absent when none is newer.
    [[nodiscard]] static std::optional<AppcastItem> newest(const QList<AppcastItem> &items,
                                                           const QString &build);
};

} // namespace zorv
