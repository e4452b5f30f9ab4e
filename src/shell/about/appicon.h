#pragma once

#include <QImage>
#include <QString>

class QQmlEngine;

namespace zorv {

// This application's icon in the views: source() hangs an image provider with a copy of the
// icon on the engine (once) and returns the address an Image shows it from; empty for no icon.
class AppIcon {
public:
    AppIcon() = delete;

    [[nodiscard]] static QString source(QQmlEngine &engine, const QImage &icon);
};

} // namespace zorv
