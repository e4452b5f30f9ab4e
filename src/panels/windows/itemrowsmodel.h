#pragma once

#include "menubaritem.h"
#include "models/rowlistmodel.h"
#include "items/rowpicture.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QtQmlIntegration>

#include <memory>
#include <optional>

namespace zorv {

class ItemPictures;
class PublishedPictures;

// One menu-bar item as a row of a panel.
struct ItemRow {
    QString key;
    QString name;
    // The user's alias; empty when there is none.
    QString alias;
    // 1 to 9 on the first nine rows (Command and the digit open them), else 0.
    int number = 0;
    bool selected = false;
    RowPicture picture;

    friend bool operator==(const ItemRow &, const ItemRow &) = default;
};

// Menu-bar items as rows of a panel: the display name, the user's alias, the row's number, whether
// the row is the highlighted one, and the item's picture. Rows follow their items by stable key,
// so a change of the items touches only the rows that changed and a view keeps its scroll
// position and its delegates. Main thread.
class ItemRowsModel : public RowListModel<ItemRow> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the panels")

public:
    // In the order of the role list the rows are read through.
    enum Role {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        AliasRole,
        NumberRole,
        SelectedRole,
        // "capture", "symbol", "icon" or "none" (RowPicture).
        PictureKindRole,
        PictureRole,
        // A capture's size in points.
        PictureSizeRole,
        SymbolRole,
        PlateRole,
    };

    struct Entry {
        MenuBarItem item;
        std::optional<QString> alias;
    };

    // Rows numbered for Command and a digit.
    static constexpr int numberedRows = 9;

    // Without `pictures` (null, or gone with their engine) captures and icons have no address.
    explicit ItemRowsModel(ItemPictures *pictures, QObject *parent = nullptr);
    ~ItemRowsModel() override;

    // Shows these items; `sampledBarColor` is the plate behind captured pictures (grey by the
    // glyph's lightness when there is none).
    void setEntries(const QList<Entry> &entries, const std::optional<QColor> &sampledBarColor);
    // The item of a row, in the order last shown.
    [[nodiscard]] std::optional<MenuBarItem> itemAt(int row) const;
    // The items of the rows, in the order last shown.
    [[nodiscard]] const QList<MenuBarItem> &items() const { return m_items; }
    // Highlights the row (-1: none); a highlight past the rows is dropped.
    void setSelected(int row);
    [[nodiscard]] int selected() const { return m_selected; }

private:
    void show();

    std::unique_ptr<PublishedPictures> m_pictures;
    QList<MenuBarItem> m_items;
    QList<ItemRow> m_rows;
    int m_selected = -1;
};

} // namespace zorv
