#include "gatedengine.h"

using namespace Qt::StringLiterals;

namespace zorv {

GatedEngine::GatedEngine(QList<MenuBarItem> items, Clock &clock)
    : m_mock(std::move(items)), m_clock(clock) {}

EngineCapabilities GatedEngine::capabilities() const {
    return m_mock.capabilities();
}
AsyncQueue<QList<MenuBarItem>> &GatedEngine::itemsStream() {
    return m_mock.itemsStream();
}
double GatedEngine::autoRehideSeconds() const {
    return m_mock.autoRehideSeconds();
}
void GatedEngine::setAutoRehideSeconds(double seconds) {
    m_mock.setAutoRehideSeconds(seconds);
}
bool GatedEngine::reorderEnabled() const {
    return m_mock.reorderEnabled();
}
void GatedEngine::setReorderEnabled(bool enabled) {
    m_mock.setReorderEnabled(enabled);
}
const MenuBarEngine::LayoutChangedCallback &GatedEngine::onLayoutChanged() const {
    return m_onLayoutChanged;
}
void GatedEngine::setOnLayoutChanged(LayoutChangedCallback callback) {
    m_onLayoutChanged = std::move(callback);
}
bool GatedEngine::isRevealed() const {
    return m_mock.isRevealed();
}
std::optional<HidingBlockedReason> GatedEngine::hidingBlocked() const {
    return m_mock.hidingBlocked();
}
const MenuBarEngine::HidingBlockedChangedCallback &GatedEngine::onHidingBlockedChanged() const {
    return m_mock.onHidingBlockedChanged();
}
void GatedEngine::setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) {
    m_mock.setOnHidingBlockedChanged(std::move(callback));
}
QCoro::Task<> GatedEngine::retryHiding() {
    record(u"engine.retryHiding"_s);
    return m_mock.retryHiding();
}
std::optional<QRectF> GatedEngine::iconFrame() const {
    return m_mock.iconFrame();
}
bool GatedEngine::iconVisible() const {
    return m_mock.iconVisible();
}
void GatedEngine::setIconVisible(bool visible) {
    m_mock.setIconVisible(visible);
}
bool GatedEngine::captureEnabled() const {
    return m_mock.captureEnabled();
}
void GatedEngine::setCaptureEnabled(bool enabled) {
    m_mock.setCaptureEnabled(enabled);
}
QCoro::Task<> GatedEngine::toggleRevealed(bool includingAlwaysHidden) {
    record(u"engine.toggleRevealed(%1)"_s.arg(int(includingAlwaysHidden)));
    return m_mock.toggleRevealed(includingAlwaysHidden);
}
QCoro::Task<> GatedEngine::start() {
    record(u"engine.start"_s);
    return m_mock.start();
}

QCoro::Task<> GatedEngine::apply(SectionLayout layout) {
    m_applied.append(layout);
    record(u"engine.apply"_s);
    if (m_applyHold > Duration::zero()) {
        // Cancelled only when the clock goes away with the test: this engine may be gone too.
        const SleepOutcome held = co_await m_clock.sleep(m_applyHold);
        if (held == SleepOutcome::Cancelled) {
            co_return;
        }
    }
    if (m_failingApplies > 0) {
        --m_failingApplies;
        throw EngineFailure(EngineError::unsupported);
    }
    co_await m_mock.apply(layout);
    if (m_onLayoutChanged) {
        m_onLayoutChanged(layout
                              .forgettingUninstalled(
                                  [this](const QString &bundleID) { return bundleID != m_leftOut; })
                              .normalized());
    }
}

QCoro::Task<> GatedEngine::reconcileMenuBar(QString trigger) {
    m_reconciles.append(trigger);
    record(u"engine.reconcile:"_s + trigger);
    if (m_reconcileHold > Duration::zero()) {
        const SleepOutcome held = co_await m_clock.sleep(m_reconcileHold);
        if (held == SleepOutcome::Cancelled) {
            co_return;
        }
    }
    co_await m_mock.reconcileMenuBar(trigger);
}

QCoro::Task<> GatedEngine::setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                             bool holdOpen) {
    m_reveals.append({reveal, includingAlwaysHidden, holdOpen});
    record(u"engine.setHiddenRevealed(%1,%2,%3)"_s.arg(int(reveal))
               .arg(int(includingAlwaysHidden))
               .arg(int(holdOpen)));
    co_await m_mock.setHiddenRevealed(reveal, includingAlwaysHidden, holdOpen);
}

QCoro::Task<> GatedEngine::activate(MenuBarItemID id, ClickKind click) {
    record(u"engine.activate"_s);
    if (m_activationFailure) {
        throw EngineFailure(*m_activationFailure);
    }
    co_await m_mock.activate(std::move(id), click);
}

QCoro::Task<> GatedEngine::move(MenuBarItemID id, SectionPlacement placement) {
    m_moves.append({id, placement});
    record(u"engine.move"_s);
    co_await m_mock.move(id, placement);
    reportLayout();
}

QCoro::Task<> GatedEngine::refresh() {
    record(u"engine.refresh"_s);
    return m_mock.refresh();
}

void GatedEngine::record(const QString &call) {
    if (m_callLog) {
        m_callLog->append(call);
    }
}

void GatedEngine::reportLayout() {
    if (!m_onLayoutChanged) {
        return;
    }
    SectionLayout layout;
    for (const Section section : allSections) {
        layout.sections.insert(section, {});
    }
    for (const MenuBarItem &item : m_mock.items()) {
        layout.sections[item.section].append(item.id);
    }
    m_onLayoutChanged(layout.normalized());
}

} // namespace zorv
