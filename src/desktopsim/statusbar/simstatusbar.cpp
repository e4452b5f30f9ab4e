#include "statusbar/simstatusbar.h"

#include "statusbar/simstatusitem.h"

namespace zorv {

SimStatusBar::SimStatusBar(DesktopModel &model, BarItems &items) : m_model(model), m_items(items) {}

std::unique_ptr<StatusItem> SimStatusBar::createStatusItem(double length) {
    const qint32 owner =
        m_model.read([](const DesktopState &state) { return state.currentProcessId; });
    ItemDescription description;
    description.length = length;
    // Id 0 names no item: every call on it does nothing.
    const quint64 itemId = m_items.add(owner, description).value_or(0);
    return std::make_unique<SimStatusItem>(m_model, m_items, itemId);
}

double SimStatusBar::thickness() const {
    return m_model.read([](const DesktopState &state) { return state.thickness; });
}

} // namespace zorv
