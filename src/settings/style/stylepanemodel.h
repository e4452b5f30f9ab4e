#pragma once

#include "modelview.h"
#include "readoutrange.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQmlIntegration>

#include <functional>

namespace zorv {

// The Menu Bar Style pane: the tint, the bar's edge and pixel-perfect icons. Each control writes
// the whole look back through the model at once, which saves it and redraws the menu-bar
// overlay, so the bar itself is the preview. Readouts show stored values within their controls'
// ranges, whatever a file or another Mac stored. Made in QML with `view` set; main thread.
class StylePaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(bool tintEnabled READ tintEnabled WRITE setTintEnabled NOTIFY changed)
    Q_PROPERTY(QString tintReadout READ tintReadout NOTIFY changed)
    Q_PROPERTY(QColor tintColor READ tintColor NOTIFY changed)
    Q_PROPERTY(double strength READ strength WRITE setStrength NOTIFY changed)
    Q_PROPERTY(QString strengthReadout READ strengthReadout NOTIFY changed)
    Q_PROPERTY(bool hairline READ hairline WRITE setHairline NOTIFY changed)
    Q_PROPERTY(bool shadow READ shadow WRITE setShadow NOTIFY changed)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY changed)
    Q_PROPERTY(QString cornerReadout READ cornerReadout NOTIFY changed)
    Q_PROPERTY(
        bool pixelPerfectIcons READ pixelPerfectIcons WRITE setPixelPerfectIcons NOTIFY changed)

public:
    static constexpr ReadoutRange strengthRange{0, 1, 0};
    static constexpr ReadoutRange cornerRange{0, 12, 0};

    explicit StylePaneModel(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] bool tintEnabled() const;
    void setTintEnabled(bool enabled);
    // The stored tint text, upper-cased, even when it does not read as a colour.
    [[nodiscard]] QString tintReadout() const;
    // The stored tint; black when it does not read.
    [[nodiscard]] QColor tintColor() const;
    [[nodiscard]] double strength() const;
    // Kept within 0 to 1; a value that is not a number is ignored.
    void setStrength(double opacity);
    // "42%", the strength in whole percent, truncated.
    [[nodiscard]] QString strengthReadout() const;
    [[nodiscard]] bool hairline() const;
    void setHairline(bool enabled);
    [[nodiscard]] bool shadow() const;
    void setShadow(bool enabled);
    [[nodiscard]] double cornerRadius() const;
    // Whole points from 0 to 12; a value that is not a number is ignored.
    void setCornerRadius(double points);
    // "Off" for square corners, else the stored radius in whole points ("5pt"), past 12 too.
    [[nodiscard]] QString cornerReadout() const;
    [[nodiscard]] bool pixelPerfectIcons() const;
    // Saves the setting, switches the engine's pictures and refreshes the items; the overlay is
    // not touched.
    void setPixelPerfectIcons(bool enabled);

    // A colour from the colour well: stored as its hex text; its alpha is dropped, the strength
    // stays the slider's.
    Q_INVOKABLE void pickColor(const QColor &color);

Q_SIGNALS:
    void viewChanged();
    void changed();

private:
    [[nodiscard]] Appearance stored() const;
    // Writes the stored look with one change. A field the model would refuse (a tint that does
    // not read, a strength or radius that is not a number or out of bounds) is written as the
    // controls show it, so that one bad field never blocks the others.
    void write(const std::function<void(Appearance &)> &change);

    QPointer<ModelView> m_view;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace zorv
