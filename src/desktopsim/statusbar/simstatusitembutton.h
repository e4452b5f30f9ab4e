#pragma once

#include "script/baritems.h"
#include "statusitembutton.h"

namespace zorv {

// The button of one of this process's status items, over the simulated bar. Clicks the window
// server delivers to the item reach its clicked signal.
class SimStatusItemButton final : public StatusItemButton {
    Q_OBJECT

public:
    SimStatusItemButton(DesktopModel &model, BarItems &items, quint64 itemId);

    [[nodiscard]] QString title() const override;
    void setTitle(const QString &title) override;
    [[nodiscard]] bool isHidden() const override;
    void setHidden(bool hidden) override;
    [[nodiscard]] QString toolTip() const override;
    void setToolTip(const QString &toolTip) override;
    [[nodiscard]] QImage image() const override;
    void setImage(const QImage &image) override;
    [[nodiscard]] std::optional<StatusItemWindow> window() const override;

private:
    DesktopModel &m_model;
    BarItems &m_items;
    quint64 m_itemId;
};

} // namespace zorv
