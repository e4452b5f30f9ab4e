#pragma once

#include "menubaritem.h"

#include <QAbstractListModel>
#include <QColor>
#include <QList>
#include <QString>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class ItemPictures;

// Menu-bar items as rows of a panel: the display name, the user's alias, the 1-based number of
// the first nine rows, whether the row is the highlighted one, and the item's picture with the
// plate it sits on. Pictures go to the kit's item pictures under the item's stable key; a
// captured glyph is drawn in the colour that stands out on its plate, a system symbol in `ink`;
// an item with no picture at all has an empty picture address (views show a placeholder).
// Main thread.
class ItemRowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the panels")
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(QColor ink READ ink WRITE setInk NOTIFY inkChanged)

public:
    enum Role {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        AliasRole,
        NumberRole,
        SelectedRole,
        PictureRole,
        PlateRole,
        HasPlateRole,
    };

    struct Row {
        MenuBarItem item;
        std::optional<QString> alias;
    };

    // Rows numbered for Command and a digit.
    static constexpr int numberedRows = 9;

    // `pictures` (may be null: rows then have no picture) must outlive the model.
    explicit ItemRowsModel(ItemPictures *pictures, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // Replaces the rows; `plate` is the sampled bar colour behind captured pictures (grey by the
    // glyph's lightness when there is none).
    void setRows(const QList<Row> &rows, const std::optional<QColor> &plate);
    [[nodiscard]] const QList<Row> &rows() const { return m_rows; }
    void setSelected(int row);
    [[nodiscard]] int selected() const { return m_selected; }

    [[nodiscard]] QColor ink() const { return m_ink; }
    void setInk(const QColor &ink);

Q_SIGNALS:
    void countChanged();
    void inkChanged();

private:
    ItemPictures *m_pictures;
    QList<Row> m_rows;
    // Each row's plate and whether its item has a picture, worked out (and the picture handed to
    // the kit) when a view first asks for the row: long lists are drawn only in part.
    struct Look {
        QColor plate;
        bool pictured = false;
    };
    [[nodiscard]] const Look &look(int row) const;
    mutable QList<std::optional<Look>> m_looks;
    std::optional<QColor> m_sampled;
    int m_selected = -1;
    QColor m_ink = Qt::black;
};

} // namespace zorv
