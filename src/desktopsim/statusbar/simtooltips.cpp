#include "statusbar/simtooltips.h"

#include "layout/barview.h"

#include <QPointer>

#include <algorithm>

namespace zorv {

SimToolTips::SimToolTips(DesktopModel &model, QObject *parent) : QObject(parent), m_model(model) {}

SimToolTips::~SimToolTips() {
    if (m_pending) {
        m_pending->cancel();
    }
}

quint64 SimToolTips::itemWithTipAt(QPointF cursor) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> quint64 {
        const auto hit = BarView(state, now).hit(cursor);
        const ItemRecord *item = hit ? state.item(hit->itemId) : nullptr;
        return item && !item->toolTip.isEmpty() ? item->id : 0;
    });
}

std::optional<SimToolTips::Tip> SimToolTips::tipFor(quint64 itemId) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<Tip> {
        const ItemRecord *item = state.item(itemId);
        const QPointF cursor = state.input.cursor;
        const ScreenRecord *screen = BarView(state, m_model.clock().now()).screenAt(cursor);
        if (!item || item->toolTip.isEmpty() || !screen) {
            return std::nullopt;
        }
        const QPointF screenTopLeft(
            screen->frame.x(), state.primaryTop() - (screen->frame.y() + screen->frame.height()));
        const QPointF local = cursor - screenTopLeft;
        return Tip{itemId, item->toolTip, screen->displayId,
                   QPointF(local.x(),
                           std::max(local.y() + belowPointer, screen->menuBarHeight + belowBar))};
    });
}

void SimToolTips::userEvent(EventType type, QPointF cursor, bool menuOpen) {
    const bool pointerOnly = type == EventType::MouseMoved;
    const quint64 under = menuOpen ? 0 : itemWithTipAt(cursor);
    if (under != m_hovered) {
        forget();
        m_hovered = under;
    } else if (!pointerOnly) {
        forget();
        m_used = true;
    }
    if (m_hovered != 0 && !m_used && !m_shown && !m_pending) {
        m_pending.emplace();
        m_task = showLater(m_hovered, m_pending->token());
    }
}

void SimToolTips::forget() {
    if (m_pending) {
        m_pending->cancel();
        m_pending.reset();
    }
    m_used = false;
    hide();
}

void SimToolTips::hide() {
    if (m_shown) {
        m_shown.reset();
        Q_EMIT changed();
    }
}

QCoro::Task<> SimToolTips::showLater(quint64 itemId, CancellationToken cancellation) {
    QPointer<SimToolTips> self(this);
    const SleepOutcome outcome =
        co_await m_model.clock().sleep(seconds(delaySeconds), std::move(cancellation));
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->m_pending.reset();
    self->m_shown = self->tipFor(itemId);
    if (self->m_shown) {
        Q_EMIT self->changed();
    }
}

} // namespace zorv
