#include "classicengine.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double kMaxAutoRehideSeconds = 3600.0;
// The slow gesture's hold, pauses and steps across a wide bar; only a batch of drags takes
// longer.
constexpr double kLongestGestureSeconds = 1.0;
constexpr double kGestureWaitStep = 0.05;
// The longest wait for a run in flight to tuck as it ends, and how often it is looked at.
constexpr double kLongestRunWaitSeconds = 600.0;
constexpr double kRunWaitStep = 0.25;

// Whether no position was kept for the engine's own items: then start() places them first.
bool nothingKeptOf(AppPreferences &preferences) {
    const QStringList names{SeparatorController::iconName, SeparatorController::hiddenSeparatorName,
                            SeparatorController::alwaysHiddenSeparatorName};
    return std::none_of(names.begin(), names.end(), [&preferences](const QString &name) {
        return preferences.value(AppPreferences::preferredPositionKey(name)).isValid();
    });
}

} // namespace

ClassicEngine::ClassicEngine(EnginePlatform platform, SectionLayout layout, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)),
      m_diagnostics(m_platform.diagnosticsFolder, m_platform.clock),
      m_cursor(m_platform.inputEvents, m_platform.clock, m_platform.work, m_diagnostics),
      m_capabilities{EngineCapabilities::discoverItems, EngineCapabilities::hideItems,
                     EngineCapabilities::activateItems, EngineCapabilities::perItemFrames},
      m_separatorController(std::make_unique<SeparatorController>(
          m_platform.statusBar, m_platform.screens, m_platform.clock)),
      m_discovery(std::make_shared<ItemDiscovery>(m_platform.accessibility, m_platform.workspace)),
      m_captures(std::make_unique<CaptureService>(m_platform.screenCapture)),
      m_reveal(now(), nothingKeptOf(m_platform.appPreferences)), m_wanted(layout) {
    assertMainThread();
    // Where the last drag's item stands then tells nothing of the drag: a run reads the bar again.
    connect(m_separatorController.get(), &SeparatorController::itemsMoved, this,
            [this] { m_runs.barMoved(); });
    if (m_reveal.placeInReach()) {
        return; // start() places the items, then tucks
    }
    // The launch tuck starts from the event loop, once whoever built the engine has had the
    // chance to install its callbacks.
    QPointer<ClassicEngine> self(this);
    Clock &clock = m_platform.clock;
    auto body = [self, &clock](CancellationToken token) -> QCoro::Task<> {
        co_await clock.sleep(Duration::zero(), token);
        if (self && !token.isCancelled()) {
            co_await self->tuckAsSoonAsTheBarIsLaidOut();
        }
    };
    m_launchTuckTask.start(std::move(body));
}

ClassicEngine::~ClassicEngine() {
    // A run cut short by the engine going away still gives the cursor back.
    m_cursor.endAnyCursorSession();
    // Pushes after this are dropped; a consumer waiting on the stream sees its end.
    m_items.finish();
}

void ClassicEngine::setAutoRehideSeconds(double seconds) {
    // The value comes from files, imports and other Macs: NaN would switch auto-hide off and a
    // huge value would overflow the sleep.
    if (!std::isfinite(seconds)) {
        m_autoRehideSeconds = defaultAutoRehideSeconds;
        return;
    }
    m_autoRehideSeconds = std::clamp(seconds, 0.0, kMaxAutoRehideSeconds);
}

void ClassicEngine::setOnLayoutChanged(LayoutChangedCallback callback) {
    m_onLayoutChanged = std::move(callback);
}

void ClassicEngine::setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) {
    m_onHidingBlockedChanged = std::move(callback);
}

std::optional<HidingBlockedReason> ClassicEngine::hidingBlocked() const {
    return m_health.hidingBlocked(now(), waitingForGrant());
}

std::optional<QRectF> ClassicEngine::iconFrame() const {
    StatusItemButton *button = m_separatorController->icon().button();
    if (!button) {
        return std::nullopt;
    }
    const std::optional<StatusItemWindow> window = button->window();
    if (!window) {
        return std::nullopt;
    }
    return window->frame;
}

bool ClassicEngine::iconVisible() const {
    return !m_separatorController->iconHidden();
}

void ClassicEngine::setIconVisible(bool visible) {
    const bool wasHidden = m_separatorController->iconHidden();
    if (visible != wasHidden) {
        return;
    }
    // The controller sets the icon's length and its button's hidden flag with the flag.
    m_separatorController->setIconHidden(!visible);
    if (visible) {
        m_health.standDownWatchdogUntil(now().addMSecs(3000));
        checkIconSeat(QPointer<ClassicEngine>(this));
    }
}

QCoro::Task<> ClassicEngine::checkIconSeat(QPointer<ClassicEngine> self) {
    if (!self) {
        co_return;
    }
    co_await self->sleep(0.4);
    if (!self) {
        co_return;
    }
    SeparatorController &separators = *self->m_separatorController;
    if (separators.iconHidden() || separators.iconIsSafelyRightmost()) {
        co_return;
    }
    self->appendEvent(
        {{u"kind"_s, u"icon-reseat-needed"_s}, {u"geometry"_s, separators.geometry()}});
    co_await self->reconcileMenuBar(u"icon-unhidden"_s);
}

void ClassicEngine::setCaptureEnabled(bool enabled) {
    m_captureEnabled = enabled;
    if (enabled) {
        m_capabilities.insert(EngineCapabilities::captureImages);
    } else {
        m_capabilities.remove(EngineCapabilities::captureImages);
        m_captures->clearCache();
    }
}

double ClassicEngine::secondsSince(const QDateTime &date) const {
    return static_cast<double>(date.msecsTo(now())) / 1000.0;
}

QCoro::Task<SleepOutcome> ClassicEngine::sleep(double seconds, CancellationToken token) {
    // The clock outlives the engine, so the sleep may end after the engine is gone; callers
    // re-check their QPointer afterwards.
    Clock &clock = m_platform.clock;
    co_return co_await clock.sleep(zorv::seconds(seconds), std::move(token));
}

QCoro::Task<bool> ClassicEngine::waitWhile(std::function<bool()> holds, double limitSeconds,
                                           double stepSeconds, CancellationToken token) {
    QPointer<ClassicEngine> self(this);
    const MonotonicTime deadline =
        deadlineAfter(m_platform.clock.now(), zorv::seconds(limitSeconds));
    bool waited = false;
    while (self && holds() && m_platform.clock.now() < deadline) {
        waited = true;
        const SleepOutcome slept = co_await sleep(stepSeconds, token);
        if (slept == SleepOutcome::Cancelled) {
            break;
        }
    }
    co_return waited;
}

QCoro::Task<bool> ClassicEngine::untilDragGestureEnds() {
    return waitWhile([this] { return m_runs.dragUnderWay(); }, kLongestGestureSeconds,
                     kGestureWaitStep);
}

QCoro::Task<bool> ClassicEngine::untilRunEnds(CancellationToken token) {
    return waitWhile([this] { return m_runs.reconcileInFlight(); }, kLongestRunWaitSeconds,
                     kRunWaitStep, std::move(token));
}

void ClassicEngine::appendEvent(const QJsonObject &record) const {
    m_diagnostics.append(u"events.jsonl"_s, record);
}

void ClassicEngine::appendReconcileLog(const QJsonObject &record) const {
    m_diagnostics.append(u"reconcile-log.jsonl"_s, record);
}

double ClassicEngine::barMinX() const {
    return m_separatorController->barScreenMinX().value_or(0.0);
}

} // namespace zorv
