#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// The secondary bar's state file, "secondary-bar.json", rewritten at every show and hide for
// tools that watch the bar: whether it is visible, whether it holds the always-hidden items, its
// frame ([x, y, width, height] in global points, bottom-left convention; [] before the first
// show) and the shown items' names. Nothing reads it back.
struct SecondaryBarState {
    static inline const QString fileName = QStringLiteral("secondary-bar.json");

    bool visible = false;
    bool includesAlwaysHidden = false;
    std::optional<QRectF> frame;
    QStringList items;

    // Pretty-printed with sorted keys.
    [[nodiscard]] QByteArray toJson() const;
    // Written atomically into `folder`, which is not created; false when it could not be.
    bool write(const QString &folder) const;

    friend bool operator==(const SecondaryBarState &, const SecondaryBarState &) = default;
};

} // namespace zorv
