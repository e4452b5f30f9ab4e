#pragma once

#include "statusitemwindow.h"

#include <QImage>
#include <QString>

#include <optional>

namespace zorv {

// The button of one status item (NSStatusBarButton): its title, hidden flag and image, and the
// window it is drawn in. Owned by its status item. Main thread.
class StatusItemButton {
public:
    virtual ~StatusItemButton() = default;

    [[nodiscard]] virtual QString title() const = 0;
    virtual void setTitle(const QString &title) = 0;

    [[nodiscard]] virtual bool isHidden() const = 0;
    virtual void setHidden(bool hidden) = 0;

    // A null image when none is set.
    [[nodiscard]] virtual QImage image() const = 0;
    virtual void setImage(const QImage &image) = 0;

    // Absent until the menu bar has laid the item out for the first time, and whenever the item
    // sits on no bar.
    [[nodiscard]] virtual std::optional<StatusItemWindow> window() const = 0;
};

} // namespace zorv
