#include "mockmenubarengine.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

MenuBarItem sampleItem(const QString &bundleID, const QString &name, Section section, qreal x) {
    return MenuBarItem{
        .id =
            MenuBarItemID{
                .bundleID = bundleID, .axIdentifier = std::nullopt, .title = name, .ordinal = 0},
        .pid = 0,
        .appName = name,
        .frame = QRectF(x, 0, 24, 24),
        .appIcon = std::nullopt,
        .capturedImage = std::nullopt,
        .section = section,
        .isNotchObscured = false,
        .isDormant = false,
        .isUnmovable = false,
    };
}

} // namespace

MockMenuBarEngine::MockMenuBarEngine(QList<MenuBarItem> items)
    : m_capabilities{EngineCapabilities::discoverItems, EngineCapabilities::hideItems,
                     EngineCapabilities::reorderItems, EngineCapabilities::activateItems,
                     EngineCapabilities::perItemFrames},
      m_items(std::move(items)) {}

QList<MenuBarItem> MockMenuBarEngine::fixtures() {
    return {
        sampleItem(u"com.getdropbox.dropbox"_s, u"Dropbox"_s, Section::hidden, 600),
        sampleItem(u"com.flexibits.fantastical2.mac"_s, u"Fantastical"_s, Section::shown, 640),
        sampleItem(u"com.agilebits.onepassword"_s, u"1Password"_s, Section::shown, 680),
        sampleItem(u"com.smilesoftware.TextExpander"_s, u"TextExpander"_s, Section::hidden, 720),
        sampleItem(u"com.runningwithcrayons.Alfred"_s, u"Alfred"_s, Section::alwaysHidden, 760),
        sampleItem(u"com.apple.controlcenter"_s, u"Battery"_s, Section::shown, 900),
        sampleItem(u"com.apple.controlcenter"_s, u"Wi-Fi"_s, Section::shown, 940),
    };
}

void MockMenuBarEngine::setHidingBlocked(std::optional<HidingBlockedReason> reason) {
    assertMainThread();
    if (reason == m_hidingBlocked) {
        return;
    }
    m_hidingBlocked = reason;
    if (m_onHidingBlockedChanged) {
        m_onHidingBlockedChanged(reason);
    }
}

EngineCapabilities MockMenuBarEngine::capabilities() const {
    return m_capabilities;
}

AsyncQueue<QList<MenuBarItem>> &MockMenuBarEngine::itemsStream() {
    assertMainThread();
    return m_itemsStream;
}

double MockMenuBarEngine::autoRehideSeconds() const {
    return m_autoRehideSeconds;
}

void MockMenuBarEngine::setAutoRehideSeconds(double seconds) {
    assertMainThread();
    m_autoRehideSeconds = seconds;
}

bool MockMenuBarEngine::reorderEnabled() const {
    return m_reorderEnabled;
}

void MockMenuBarEngine::setReorderEnabled(bool enabled) {
    assertMainThread();
    m_reorderEnabled = enabled;
}

const MenuBarEngine::LayoutChangedCallback &MockMenuBarEngine::onLayoutChanged() const {
    return m_onLayoutChanged;
}

void MockMenuBarEngine::setOnLayoutChanged(LayoutChangedCallback callback) {
    assertMainThread();
    m_onLayoutChanged = std::move(callback);
}

bool MockMenuBarEngine::isRevealed() const {
    return m_isRevealed;
}

std::optional<HidingBlockedReason> MockMenuBarEngine::hidingBlocked() const {
    return m_hidingBlocked;
}

const MenuBarEngine::HidingBlockedChangedCallback &
MockMenuBarEngine::onHidingBlockedChanged() const {
    return m_onHidingBlockedChanged;
}

void MockMenuBarEngine::setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) {
    assertMainThread();
    m_onHidingBlockedChanged = std::move(callback);
}

QCoro::Task<> MockMenuBarEngine::retryHiding() {
    assertMainThread();
    ++m_retryHidingCalls;
    setHidingBlocked(std::nullopt);
    co_return;
}

std::optional<QRectF> MockMenuBarEngine::iconFrame() const {
    return std::nullopt;
}

bool MockMenuBarEngine::iconVisible() const {
    return m_iconVisible;
}

void MockMenuBarEngine::setIconVisible(bool visible) {
    assertMainThread();
    m_iconVisible = visible;
}

bool MockMenuBarEngine::captureEnabled() const {
    return m_captureEnabled;
}

void MockMenuBarEngine::setCaptureEnabled(bool enabled) {
    assertMainThread();
    m_captureEnabled = enabled;
}

QCoro::Task<> MockMenuBarEngine::toggleRevealed(bool includingAlwaysHidden) {
    assertMainThread();
    co_await setHiddenRevealed(!m_isRevealed, includingAlwaysHidden);
}

QCoro::Task<> MockMenuBarEngine::start() {
    assertMainThread();
    publish();
    co_return;
}

QCoro::Task<> MockMenuBarEngine::apply(SectionLayout layout) {
    assertMainThread();
    QList<MenuBarItem> arranged;
    // Tracked by position rather than by id: several items may share an id, and a layout that is
    // not normalised may list one twice; each item must still land exactly once.
    QSet<qsizetype> placed;
    for (Section section : allSections) {
        for (const MenuBarItemID &id : layout.ids(section)) {
            const qsizetype position = indexOf(id);
            if (position < 0 || placed.contains(position)) {
                continue;
            }
            placed.insert(position);
            MenuBarItem item = m_items.at(position);
            item.section = section;
            arranged.append(std::move(item));
        }
    }
    for (qsizetype position = 0; position < m_items.size(); ++position) {
        if (!placed.contains(position)) {
            arranged.append(m_items.at(position));
        }
    }
    m_items = std::move(arranged);
    publish();
    co_return;
}

QCoro::Task<> MockMenuBarEngine::reconcileMenuBar(QString /*trigger*/) {
    assertMainThread();
    publish();
    co_return;
}

QCoro::Task<> MockMenuBarEngine::setHiddenRevealed(bool reveal, bool /*includingAlwaysHidden*/,
                                                   bool /*holdOpen*/) {
    assertMainThread();
    m_isRevealed = reveal;
    publish();
    co_return;
}

QCoro::Task<> MockMenuBarEngine::activate(MenuBarItemID id, ClickKind click) {
    assertMainThread();
    if (indexOf(id) < 0) {
        throw EngineFailure(EngineError::itemNotFound);
    }
    m_activations.append(Activation{std::move(id), click});
    co_return;
}

QCoro::Task<> MockMenuBarEngine::move(MenuBarItemID id, SectionPlacement placement) {
    assertMainThread();
    const qsizetype from = indexOf(id);
    if (from < 0) {
        throw EngineFailure(EngineError::itemNotFound);
    }
    MenuBarItem item = m_items.takeAt(from);
    item.section = placement.section;
    QList<qsizetype> sectionPositions;
    for (qsizetype position = 0; position < m_items.size(); ++position) {
        if (m_items.at(position).section == placement.section) {
            sectionPositions.append(position);
        }
    }
    const qsizetype slot = placement.insertionIndex(sectionPositions.size());
    if (slot < sectionPositions.size()) {
        m_items.insert(sectionPositions.at(slot), std::move(item));
    } else {
        m_items.append(std::move(item));
    }
    publish();
    co_return;
}

QCoro::Task<> MockMenuBarEngine::refresh() {
    assertMainThread();
    publish();
    co_return;
}

void MockMenuBarEngine::publish() {
    m_itemsStream.push(m_items);
}

qsizetype MockMenuBarEngine::indexOf(const MenuBarItemID &id) const {
    for (qsizetype position = 0; position < m_items.size(); ++position) {
        if (m_items.at(position).id == id) {
            return position;
        }
    }
    return -1;
}

} // namespace zorv
