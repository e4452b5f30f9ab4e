#include "windows/titlebar.h"

#include "windows/windowrecord.h"

namespace zorv {

namespace {

// The first button's centre and the distance between the centres.
constexpr double firstButtonCentre = 14.0;
constexpr double buttonSpacing = 20.0;

} // namespace

QRectF TitleBar::outerFrame(const WindowRecord &record) {
    if (!record.style.titled || record.style.fullSizeContentView) {
        return record.frame;
    }
    return record.frame.adjusted(0, -height, 0, 0);
}

std::optional<QRectF> TitleBar::rect(const WindowRecord &record) {
    if (!record.style.titled) {
        return std::nullopt;
    }
    const QRectF outer = outerFrame(record);
    return QRectF(outer.topLeft(), QSizeF(outer.width(), height));
}

QList<TitleBar::ButtonPlace> TitleBar::buttons(const WindowStyle &style) {
    if (!style.titled) {
        return {};
    }
    QList<ButtonPlace> places;
    const auto add = [&](Button button, bool enabled) {
        const QPointF centre(firstButtonCentre + buttonSpacing * double(places.size()),
                             height / 2);
        places.append({button,
                       QRectF(centre - QPointF(buttonDiameter / 2, buttonDiameter / 2),
                              QSizeF(buttonDiameter, buttonDiameter)),
                       enabled});
    };
    add(Button::Close, style.closable);
    if (!style.closeButtonOnly) {
        add(Button::Minimize, style.miniaturizable);
        add(Button::Zoom, style.resizable);
    }
    return places;
}

std::optional<TitleBar::ButtonPlace> TitleBar::buttonAt(const WindowStyle &style, QPointF inBar) {
    for (const ButtonPlace &place : buttons(style)) {
        // A little slack around each circle, as a finger-sized target.
        if (place.rect.adjusted(-2, -2, 2, 2).contains(inBar)) {
            return place;
        }
    }
    return std::nullopt;
}

} // namespace zorv
