#pragma once

#include "statusbar/simstatusitembutton.h"
#include "statusitem.h"

namespace zorv {

// One of this process's status items on the simulated bar; destroying it removes the item.
class SimStatusItem final : public StatusItem {
public:
    SimStatusItem(DesktopModel &model, BarItems &items, quint64 itemId);
    ~SimStatusItem() override;
    SimStatusItem(const SimStatusItem &) = delete;
    SimStatusItem &operator=(const SimStatusItem &) = delete;

    [[nodiscard]] quint64 itemId() const { return m_itemId; }

    [[nodiscard]] double length() const override;
    void setLength(double length) override;
    [[nodiscard]] QString autosaveName() const override;
    void setAutosaveName(const QString &name) override;
    [[nodiscard]] StatusItemButton *button() override;

private:
    BarItems &m_items;
    quint64 m_itemId;
    SimStatusItemButton m_button;
};

} // namespace zorv
