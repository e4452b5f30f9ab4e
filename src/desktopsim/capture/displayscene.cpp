#include "capture/displayscene.h"

#include "layout/barview.h"

namespace zorv {

DisplayScene DisplayScene::of(const DesktopState &state, const ScreenRecord &screen,
                              std::chrono::nanoseconds now, const QSet<quint64> &excluded) {
    const BarView view(state, now);
    DisplayScene scene;
    scene.size = screen.frame.size();
    scene.barHeight = screen.menuBarHeight;
    scene.barShown = view.barShown(screen);
    scene.menusRight = view.menusRight(screen) - screen.frame.x();
    if (const auto gap = screen.housingGap()) {
        scene.housing = std::pair{gap->first - screen.frame.x(), gap->second - screen.frame.x()};
    }
    scene.barColor = state.barColor;
    scene.wallpaperColor = state.wallpaperColor;
    scene.menuColor = state.menuColor;
    const QRectF displayFrame = view.topLeft(screen.frame);
    for (const BarItemView &itemView : view.items(screen.displayId)) {
        const ItemRecord *record = state.item(itemView.itemId);
        if (!record || !itemView.visible() || excluded.contains(itemView.itemId)) {
            continue;
        }
        const QRectF rect = view.topLeft(itemView.frame).translated(-displayFrame.topLeft());
        scene.items.append(item(*record, rect));
    }
    return scene;
}

SceneItem DisplayScene::item(const ItemRecord &record, const QRectF &rect) {
    if (record.buttonHidden) {
        return SceneItem{record.id, rect, {}, {}, {}};
    }
    return SceneItem{record.id, rect, record.title, record.image, record.glyph};
}

} // namespace zorv
