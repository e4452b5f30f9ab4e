#pragma once

#include "statusitemclick.h"
#include "statusitemwindow.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

namespace zorv {

// The button of one status item (NSStatusBarButton): its title, hidden flag and image, the
// window it is drawn in, and the clicks it receives. Owned by its status item. Main thread.
class StatusItemButton : public QObject {
    Q_OBJECT

public:
    explicit StatusItemButton(QObject *parent = nullptr);
    ~StatusItemButton() override;

    [[nodiscard]] virtual QString title() const = 0;
    virtual void setTitle(const QString &title) = 0;

    [[nodiscard]] virtual bool isHidden() const = 0;
    virtual void setHidden(bool hidden) = 0;

    // Shown when the pointer rests on the button; empty for none.
    [[nodiscard]] virtual QString toolTip() const = 0;
    virtual void setToolTip(const QString &toolTip) = 0;

    // A null image when none is set.
    [[nodiscard]] virtual QImage image() const = 0;
    virtual void setImage(const QImage &image) = 0;

    // Absent until the menu bar has laid the item out for the first time, and whenever the item
    // sits on no bar.
    [[nodiscard]] virtual std::optional<StatusItemWindow> window() const = 0;

Q_SIGNALS:
    // The user (or a posted event) clicked the button: left, right or with modifiers. A hidden
    // button receives no clicks.
    void clicked(zorv::StatusItemClick click);
};

} // namespace zorv
