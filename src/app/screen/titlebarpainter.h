#pragma once

#include "windows/titlebar.h"

#include <QColor>
#include <QPainter>
#include <QString>

namespace zorv {

// Paints a window's title bar as the system draws it: the strip (left out when the title bar is
// transparent, so the content shows through), the close, minimise and zoom buttons in their
// colours (grey when not usable or when the window does not have the keyboard) and the title in
// the middle unless hidden. The painter's transform maps the title bar's points to pixels, its
// top-left corner at the origin.
class TitleBarPainter {
public:
    struct Look {
        WindowStyle style;
        QString title;
        double width = 0.0;
        bool key = false;
        // The appearance the window is drawn in.
        bool dark = false;
    };

    static void paint(QPainter &painter, const Look &look);

private:
    static QColor buttonColor(TitleBar::Button button, bool lit, bool dark);
};

} // namespace zorv
