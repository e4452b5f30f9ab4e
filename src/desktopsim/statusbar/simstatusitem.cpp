#include "statusbar/simstatusitem.h"

namespace zorv {

SimStatusItem::SimStatusItem(DesktopModel &model, BarItems &items, quint64 itemId)
    : m_items(items), m_itemId(itemId), m_button(model, items, itemId) {}

SimStatusItem::~SimStatusItem() {
    m_items.remove(m_itemId);
}

double SimStatusItem::length() const {
    const auto item = m_items.item(m_itemId);
    return item ? item->length : 0.0;
}

void SimStatusItem::setLength(double length) {
    m_items.setLength(m_itemId, length);
}

QString SimStatusItem::autosaveName() const {
    const auto item = m_items.item(m_itemId);
    return item ? item->autosaveName : QString();
}

void SimStatusItem::setAutosaveName(const QString &name) {
    m_items.setAutosaveName(m_itemId, name);
}

StatusItemButton *SimStatusItem::button() {
    return &m_button;
}

} // namespace zorv
