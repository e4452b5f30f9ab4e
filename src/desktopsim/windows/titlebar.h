#pragma once

#include "appwindow.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace zorv {

struct WindowRecord;

// The title bar the window server gives a titled window: a strip across the top of the window
// with the close, minimise and zoom buttons at its leading end and the title in its middle. A
// window whose content reaches under the title bar keeps its content frame; any other titled
// window has the strip above its content. Points, top-left convention.
class TitleBar {
public:
    static constexpr double height = 28.0;
    static constexpr double buttonDiameter = 12.0;

    enum class Button { Close, Minimize, Zoom };

    struct ButtonPlace {
        Button button = Button::Close;
        // Relative to the title bar's top-left corner.
        QRectF rect;
        // A button shown but not usable is drawn grey and does nothing.
        bool enabled = false;

        friend bool operator==(const ButtonPlace &, const ButtonPlace &) = default;
    };

    // The window's whole frame: the content frame, grown upwards by the title bar when the
    // content does not reach under it.
    [[nodiscard]] static QRectF outerFrame(const WindowRecord &record);
    // Where the title bar lies (global), if the window has one.
    [[nodiscard]] static std::optional<QRectF> rect(const WindowRecord &record);
    // The buttons the style shows, leading first.
    [[nodiscard]] static QList<ButtonPlace> buttons(const WindowStyle &style);
    // The button shown under a point relative to the title bar's top-left corner, usable or not.
    [[nodiscard]] static std::optional<ButtonPlace> buttonAt(const WindowStyle &style,
                                                             QPointF inBar);
};

} // namespace zorv
