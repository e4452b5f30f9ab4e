#pragma once

#include "appearance/simsystemappearance.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QQuickView>
#include <QString>

namespace zorv {

// One QML scene drawn with the kit offscreen: a view whose engine has the kit installed over a
// simulated appearance and a manual clock. Pictures are saved in the suite's build folder
// ("screenshots/<name>.png") for people to look at.
class KitScene {
public:
    explicit KitScene(bool dark = false);

    // Loads QML text (which imports what it needs) as the view's root item; false with the
    // errors printed when it does not load.
    bool load(const QString &qml, QSize size);
    [[nodiscard]] QQuickItem *find(const QString &objectName) const;
    // Renders the scene and keeps the picture under `name`; the picture has the window's pixel
    // ratio (2 under QT_SCALE_FACTOR=2).
    QImage grab(const QString &name);

    ManualClock clock;
    SimSystemAppearance appearance;
    QQuickView view;
};

// The two appearances every rendering test draws in, named after them.
struct Look {
    const char *name;
    bool dark;
};
inline const auto bothLooks = ::testing::Values(Look{"light", false}, Look{"dark", true});
inline std::string lookName(const ::testing::TestParamInfo<Look> &info) {
    return info.param.name;
}

// How many device pixels of `image` inside `area` (in scene points, mapped to device pixels by the
// image's pixel ratio; the whole image when empty) are within `tolerance` of `color` on every
// channel.
int countPixels(const QImage &image, const QColor &color, int tolerance = 2, QRect area = {});
// The device pixels `points` square points cover in `image`.
int devicePixels(const QImage &image, int points);

} // namespace zorv
