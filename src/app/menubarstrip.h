#pragma once

#include <QQuickPaintedItem>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

namespace zorv {

// Draws one simulated screen's menu bar as the simulator's screen captures see it: the bar's
// colour, the frontmost application's menus and every visible status item's glyph at its laid-out
// place (hidden items are absent), with the camera housing in front, as the user sees it. `scene`
// is the screen's DisplayScene (ScreenListModel's "scene" role); the strip is as wide as the
// screen, in points.
class MenuBarStrip : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariant scene READ scene WRITE setScene NOTIFY sceneChanged)

public:
    explicit MenuBarStrip(QQuickItem *parent = nullptr);

    [[nodiscard]] QVariant scene() const { return m_scene; }
    void setScene(const QVariant &scene);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void sceneChanged();

private:
    QVariant m_scene;
};

} // namespace zorv
