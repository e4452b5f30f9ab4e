#pragma once

#include "menu.h"

#include <QAbstractListModel>

#include <memory>

namespace zorv {

// The rows of an open pop-up menu as the simulated Mac draws them: the rows shown (an alternate
// replaces its row while Option is held), each with its look, its key equivalent as text, and its
// view when it has one. Reset whenever the menu or the Option state changes; the highlight
// changes in place.
class MenuRowsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Roles {
        TitleRole = Qt::UserRole + 1,
        SubtitleRole,
        SymbolRole,
        KeyTextRole,
        SeparatorRole,
        EnabledRole,
        CheckedRole,
        HighlightedRole,
        HasSubmenuRole,
        ViewSourceRole,
        ViewPropertiesRole,
        RowHeightRole,
        // The row's index in the menu.
        MenuRowRole,
        // What screen readers announce: the view's label, else the title.
        AccessibleLabelRole,
    };

    explicit MenuRowsModel(QObject *parent = nullptr);

    void setRows(std::shared_ptr<const Menu> menu, const QList<int> &shownRows, int highlighted);
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // The key equivalent as the menu shows it ("⌥⌘F").
    [[nodiscard]] static QString keyText(const MenuItem &item);

private:
    std::shared_ptr<const Menu> m_menu;
    QList<int> m_rows;
    int m_highlighted = -1;
};

} // namespace zorv
