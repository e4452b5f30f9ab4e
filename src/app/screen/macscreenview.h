#pragma once

#include "macscreenscene.h"
#include "screenmapping.h"

#include <QImage>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class DesktopViewModel;

// One simulated screen drawn as a person sees it (MacScreenPainter), and the person's hands on
// it: the pointer moves the simulated mouse, presses and releases are the simulated mouse's
// buttons with the held modifiers (a click on a status item is a click on the simulated bar, on
// the system's path), and keys typed while it has the focus are the simulated keyboard's.
// `scene` is ScreenListModel's "scene" role, `frame` its "frame" role; the item is the screen at
// `zoom` view pixels per point.
class MacScreenView : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(zorv::DesktopViewModel *desktop READ desktop WRITE setDesktop NOTIFY desktopChanged)
    Q_PROPERTY(int displayId READ displayId WRITE setDisplayId NOTIFY mappingChanged)
    Q_PROPERTY(QVariant scene READ scene WRITE setScene NOTIFY sceneChanged)
    Q_PROPERTY(QRectF frame READ frame WRITE setFrame NOTIFY mappingChanged)
    Q_PROPERTY(double zoom READ zoom WRITE setZoom NOTIFY mappingChanged)
    // Its bar holds the status items' windows: the screen notification banners show on.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)

public:
    explicit MacScreenView(QQuickItem *parent = nullptr);

    [[nodiscard]] DesktopViewModel *desktop() const { return m_desktop; }
    void setDesktop(DesktopViewModel *desktop);
    [[nodiscard]] int displayId() const { return int(m_mapping.displayId); }
    void setDisplayId(int displayId);
    [[nodiscard]] QVariant scene() const { return QVariant::fromValue(m_scene); }
    void setScene(const QVariant &scene);
    [[nodiscard]] QRectF frame() const { return m_mapping.frame; }
    void setFrame(const QRectF &frame);
    [[nodiscard]] double zoom() const { return m_mapping.zoom; }
    void setZoom(double zoom);
    [[nodiscard]] const ScreenMapping &mapping() const { return m_mapping; }
    [[nodiscard]] bool active() const { return m_active; }
    void setActive(bool active);

    void paint(QPainter *painter) override;
    // The screen as paint() draws it, across `target` of another picture.
    void paintScreen(QPainter &painter, const QRectF &target) const;
    // Only its hardware (the camera housing), across `target`: see MacScreenPainter.
    void paintHardware(QPainter &painter, const QRectF &target) const;
    // The notification banner showing on it, if any, across `target` (the screen's rectangle):
    // painted over whatever windows were drawn on the screen (BannerPainter).
    void paintBanner(QPainter &painter, const QRectF &target) const;

Q_SIGNALS:
    void desktopChanged();
    void mappingChanged();
    void sceneChanged();
    void activeChanged();

protected:
    void hoverEnterEvent(QHoverEvent *event) override;
    void hoverMoveEvent(QHoverEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void loadPicture();

    QPointer<DesktopViewModel> m_desktop;
    MacScreenScene m_scene;
    ScreenMapping m_mapping;
    bool m_active = false;
    QMetaObject::Connection m_bannerChanges;
    std::optional<QString> m_pictureFile;
    QImage m_picture;
};

} // namespace zorv
