#pragma once

#include "menu.h"
#include "models/rowlistmodel.h"

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <memory>

namespace zorv {

// One shown row of an open pop-up menu, as the simulated Mac draws it.
struct MenuRow {
    // The row's index in its menu.
    int menuRow = -1;
    QString title;
    QString subtitle;
    QString symbol;
    // The key equivalent as the menu shows it ("⌥⌘F"); empty when there is none.
    QString keyText;
    bool separator = false;
    bool enabled = false;
    bool checked = false;
    bool highlighted = false;
    bool hasSubmenu = false;
    QUrl viewSource;
    QVariantMap viewProperties;
    double rowHeight = 0.0;
    // What screen readers announce: the view's label, else the title.
    QString accessibleLabel;

    [[nodiscard]] static MenuRow of(const MenuItem &item, int menuRow, bool highlighted);

    friend bool operator==(const MenuRow &, const MenuRow &) = default;
};

// The rows of an open pop-up menu as the simulated Mac draws them: the rows shown (an alternate
// replaces its row while Option is held), each with its look, its key equivalent as text, and its
// view when it has one. Rows follow their index in the menu, so the Option state and the
// highlight change only the rows they touch; another menu replaces every row.
class MenuRowsModel final : public RowListModel<MenuRow> {
    Q_OBJECT

public:
    // In the order of the role list the rows are read through.
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
        MenuRowRole,
        AccessibleLabelRole,
    };

    explicit MenuRowsModel(QObject *parent = nullptr);

    void setRows(std::shared_ptr<const Menu> menu, const QList<int> &shownRows, int highlighted);

    // The key equivalent as the menu shows it ("⌥⌘F").
    [[nodiscard]] static QString keyText(const MenuItem &item);

private:
    std::shared_ptr<const Menu> m_menu;
};

} // namespace zorv
