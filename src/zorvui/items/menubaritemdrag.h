#pragma once

#include "menubaritemid.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QMimeData;

namespace zorv {

// What travels on the drag pasteboard when a menu-bar item is dragged between the lanes of the
// layout pane: the item's identity in its JSON form, under the program's own content type. Only
// data of that type is taken back; anything else (plain text, files) is refused.
class MenuBarItemDrag {
public:
    static inline const QString typeIdentifier = QStringLiteral("app.zorv.menubaritem");
    // The MIME format the type travels under in Qt's drag data.
    static inline const QString mimeType =
        QStringLiteral("application/x-app.zorv.menubaritem+json");

    [[nodiscard]] static QByteArray encode(const MenuBarItemID &id);
    // Nothing for bytes that are not an item id's JSON form.
    [[nodiscard]] static std::optional<MenuBarItemID> decode(const QByteArray &bytes);

    [[nodiscard]] static std::unique_ptr<QMimeData> mimeData(const MenuBarItemID &id);
    [[nodiscard]] static bool accepts(const QMimeData &data);
    [[nodiscard]] static std::optional<MenuBarItemID> fromMimeData(const QMimeData &data);
};

} // namespace zorv
