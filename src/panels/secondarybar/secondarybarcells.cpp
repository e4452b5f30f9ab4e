#include "secondarybarcells.h"

namespace zorv {

QList<MenuBarItem> cellsKeptInPlace(QList<MenuBarItem> cells, const QList<MenuBarItem> &items) {
    QList<bool> placed(items.size(), false);
    for (MenuBarItem &cell : cells) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!placed[i] && items[i].id == cell.id) {
                cell = items[i];
                placed[i] = true;
                break;
            }
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!placed[i]) {
            cells.append(items[i]);
        }
    }
    return cells;
}

} // namespace zorv
