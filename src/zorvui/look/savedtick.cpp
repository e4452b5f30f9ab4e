#include "look/savedtick.h"

#include "clock.h"
#include "kit/zorvkit.h"

#include <QPointer>
#include <QQmlEngine>
#include <QtDebug>

namespace zorv {

SavedTick::SavedTick(QObject *parent) : QObject(parent) {}

SavedTick::SavedTick(Clock &clock, QObject *parent) : QObject(parent), m_clock(&clock) {}

SavedTick::~SavedTick() {
    m_lifetime.cancel();
}

void SavedTick::classBegin() {
    m_complete = false;
}

void SavedTick::componentComplete() {
    m_complete = true;
    if (!m_clock) {
        if (ZorvKit *kit = ZorvKit::of(qmlEngine(this))) {
            m_clock = &kit->clock();
        } else {
            qWarning("ZorvUI: no kit installed on the QML engine; the saved tick never shows");
        }
    }
}

void SavedTick::setSavedAt(const QVariant &savedAt) {
    if (savedAt == m_savedAt) {
        return;
    }
    m_savedAt = savedAt;
    Q_EMIT savedAtChanged();
    if (!m_complete || !m_clock) {
        return;
    }
    setShown(true);
    hideAfterHold(*m_clock, m_lifetime.token());
}

void SavedTick::setShown(bool shown) {
    if (shown == m_shown) {
        return;
    }
    m_shown = shown;
    Q_EMIT shownChanged();
}

QCoro::Task<> SavedTick::hideAfterHold(Clock &clock, CancellationToken lifetime) {
    QPointer<SavedTick> self(this);
    co_await clock.sleep(seconds(holdSeconds), lifetime);
    // Cancelled only when the tick is going away.
    if (self && !lifetime.isCancelled()) {
        self->setShown(false);
    }
}

} // namespace zorv
