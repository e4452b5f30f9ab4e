#pragma once

#include "menubarengine.h"

#include <QList>

namespace zorv {

// A complete engine over an in-memory list of items instead of the real menu bar, so the model
// and the views run without accessibility access. It records what was asked of it (activations,
// hiding retries) so callers can check the calls afterwards.
//
// Every change publishes the whole item list on itemsStream(). The stream exists from
// construction and buffers without bound: lists published before a consumer first awaits it are
// kept and delivered once, in order, so nothing is lost or duplicated however late the consumer
// attaches.
//
// apply() never puts an item in two places or drops one: each current item ends up in the
// new list exactly once, even for a layout that lists an id twice or names an id several items
// share.
class MockMenuBarEngine final : public MenuBarEngine {
public:
    struct Activation {
        MenuBarItemID id;
        ClickKind click;
        friend bool operator==(const Activation &, const Activation &) = default;
    };

    explicit MockMenuBarEngine(QList<MenuBarItem> items);

    // Seven sample items: five applications' items and two Control Center modules that share one
    // id (same bundle identifier, no accessibility identifier, ordinal 0).
    [[nodiscard]] static QList<MenuBarItem> fixtures();

    [[nodiscard]] const QList<MenuBarItem> &items() const { return m_items; }
    [[nodiscard]] int retryHidingCalls() const { return m_retryHidingCalls; }
    [[nodiscard]] const QList<Activation> &activations() const { return m_activations; }
    // Calls onHidingBlockedChanged() when the value differs from the current one.
    void setHidingBlocked(std::optional<HidingBlockedReason> reason);

    [[nodiscard]] EngineCapabilities capabilities() const override;
    [[nodiscard]] AsyncQueue<QList<MenuBarItem>> &itemsStream() override;
    [[nodiscard]] double autoRehideSeconds() const override;
    void setAutoRehideSeconds(double seconds) override;
    [[nodiscard]] bool reorderEnabled() const override;
    void setReorderEnabled(bool enabled) override;
    [[nodiscard]] const LayoutChangedCallback &onLayoutChanged() const override;
    void setOnLayoutChanged(LayoutChangedCallback callback) override;
    [[nodiscard]] bool isRevealed() const override;
    [[nodiscard]] std::optional<HidingBlockedReason> hidingBlocked() const override;
    [[nodiscard]] const HidingBlockedChangedCallback &onHidingBlockedChanged() const override;
    void setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) override;
    QCoro::Task<> retryHiding() override;
    [[nodiscard]] std::optional<QRectF> iconFrame() const override;
    [[nodiscard]] bool iconVisible() const override;
    void setIconVisible(bool visible) override;
    [[nodiscard]] bool captureEnabled() const override;
    void setCaptureEnabled(bool enabled) override;
    QCoro::Task<> toggleRevealed(bool includingAlwaysHidden) override;
    QCoro::Task<> start() override;
    QCoro::Task<> apply(SectionLayout layout) override;
    QCoro::Task<> reconcileMenuBar(QString trigger) override;
    using MenuBarEngine::setHiddenRevealed;
    QCoro::Task<> setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                    bool holdOpen) override;
    QCoro::Task<> activate(MenuBarItemID id, ClickKind click) override;
    QCoro::Task<> move(MenuBarItemID id, SectionPlacement placement) override;
    QCoro::Task<> refresh() override;

private:
    void publish();
    // Position of the first item with an id equal to `id`, or -1.
    [[nodiscard]] qsizetype indexOf(const MenuBarItemID &id) const;

    const EngineCapabilities m_capabilities;
    QList<MenuBarItem> m_items;
    AsyncQueue<QList<MenuBarItem>> m_itemsStream;
    double m_autoRehideSeconds = 10;
    bool m_reorderEnabled = false;
    LayoutChangedCallback m_onLayoutChanged;
    bool m_isRevealed = false;
    std::optional<HidingBlockedReason> m_hidingBlocked;
    HidingBlockedChangedCallback m_onHidingBlockedChanged;
    int m_retryHidingCalls = 0;
    bool m_iconVisible = true;
    bool m_captureEnabled = false;
    QList<Activation> m_activations;
};

} // namespace zorv
