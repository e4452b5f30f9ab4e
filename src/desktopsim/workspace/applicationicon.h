#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace zorv {

// An application's own icon in the simulated desktop: the artwork its bundle ships when it has
// any, else a rounded square in the application's colour with a short symbol (usually its
// initial) in white. Never equal to a generic icon.
struct ApplicationIcon {
    QColor color{};
    QString symbol{};
    QImage artwork{};

    // The artwork as it is, or the drawn square GenericIcons::size pixels a side.
    [[nodiscard]] QImage render() const;

    friend bool operator==(const ApplicationIcon &, const ApplicationIcon &) = default;
};

} // namespace zorv
