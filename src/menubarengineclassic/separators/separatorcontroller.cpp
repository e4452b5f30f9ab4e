#include "separatorcontroller.h"

#include "clock.h"
#include "screens.h"
#include "statusbar.h"
#include "statusitem.h"

#include <QJsonArray>
#include <QPointer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr int settleChecks = 20;
constexpr double settleCheckSeconds = 0.05;
constexpr double reflowSeconds = 0.15;

double topOf(const QRectF &frame) {
    return frame.y() + frame.height();
}

// Whole points toward zero, for log text; screen geometry is finite and small.
qint64 truncated(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return qint64(std::clamp(std::trunc(value), -1e15, 1e15));
}

} // namespace

SeparatorController::SeparatorController(StatusBar &statusBar, Screens &screens, Clock &clock,
                                         QObject *parent)
    : QObject(parent), m_statusBar(statusBar), m_screens(screens), m_clock(clock) {
    createItems();
}

SeparatorController::~SeparatorController() = default;

void SeparatorController::createItems() {
    m_alwaysHiddenSep = m_statusBar.createStatusItem(collapsedLength);
    m_hiddenSep = m_statusBar.createStatusItem(collapsedLength);
    m_alwaysHiddenSep->setAutosaveName(alwaysHiddenSeparatorName);
    m_hiddenSep->setAutosaveName(hiddenSeparatorName);
    for (StatusItem *separator : {m_alwaysHiddenSep.get(), m_hiddenSep.get()}) {
        if (StatusItemButton *button = separator->button()) {
            button->setTitle(QString());
        }
    }
    createIcon();
}

void SeparatorController::createIcon() {
    m_icon = m_statusBar.createStatusItem(m_iconHidden ? 0.0 : StatusBar::squareLength);
    m_icon->setAutosaveName(iconName);
    if (StatusItemButton *button = m_icon->button(); button && m_iconHidden) {
        button->setHidden(true);
    }
}

void SeparatorController::recreateItems() {
    m_expandChain.cancel();
    m_icon.reset();
    m_hiddenSep.reset();
    m_alwaysHiddenSep.reset();
    m_lastTuckRefused = false;
    createItems();
    Q_EMIT itemsMoved();
}

void SeparatorController::recreateIcon() {
    m_icon.reset();
    createIcon();
    Q_EMIT itemsMoved();
}

void SeparatorController::resize(StatusItem &item, double length) {
    const bool changed = item.length() != length;
    item.setLength(length);
    if (changed) {
        Q_EMIT itemsMoved();
    }
}

void SeparatorController::setIconHidden(bool hidden) {
    if (hidden == m_iconHidden) {
        return;
    }
    m_iconHidden = hidden;
    resize(*m_icon, hidden ? 0.0 : StatusBar::squareLength);
    if (StatusItemButton *button = m_icon->button()) {
        button->setHidden(hidden);
    }
}

std::optional<QRectF> SeparatorController::frameOf(const StatusItem &item) {
    // The interface is const-blind: reading a button changes nothing.
    StatusItemButton *button = const_cast<StatusItem &>(item).button();
    if (!button) {
        return std::nullopt;
    }
    const auto window = button->window();
    if (!window) {
        return std::nullopt;
    }
    return window->frame;
}

std::optional<Screen> SeparatorController::screenOf(const StatusItem &item) const {
    StatusItemButton *button = const_cast<StatusItem &>(item).button();
    if (button) {
        if (const auto window = button->window(); window && window->screen) {
            // A window's screen is the one holding most of it; a long separator reaches far left
            // of its bar, over a display left of it. The bar lays items out from its right end,
            // so the screen holding the window's right end is its bar's.
            const QPointF rightEnd(window->frame.right() - 0.5, window->frame.center().y());
            for (const Screen &screen : m_screens.screens()) {
                if (screen.frame.contains(rightEnd)) {
                    return screen;
                }
            }
            return window->screen;
        }
    }
    return m_screens.mainScreen();
}

QList<QRectF> SeparatorController::screenFrames() const {
    QList<QRectF> frames;
    for (const Screen &screen : m_screens.screens()) {
        frames.append(screen.frame);
    }
    return frames;
}

std::optional<QRectF> SeparatorController::hiddenSeparatorFrame() const {
    return frameOf(*m_hiddenSep);
}

std::optional<QRectF> SeparatorController::alwaysHiddenSeparatorFrame() const {
    return frameOf(*m_alwaysHiddenSep);
}

bool SeparatorController::separatorsAreOrdered() const {
    const auto hidden = hiddenSeparatorFrame();
    const auto always = alwaysHiddenSeparatorFrame();
    return hidden && always && always->left() < hidden->left();
}

bool SeparatorController::iconIsSafelyRightmost() const {
    if (m_iconHidden) {
        return true;
    }
    const auto icon = frameOf(*m_icon);
    const auto hidden = hiddenSeparatorFrame();
    const auto always = alwaysHiddenSeparatorFrame();
    return icon && hidden && always && hidden->left() < icon->left() &&
           always->left() < icon->left();
}

bool SeparatorController::iconNeedsReseating() const {
    return !m_iconHidden && !iconIsSafelyRightmost();
}

bool SeparatorController::iconIsOnScreen() const {
    return m_iconHidden || seated(*m_icon);
}

std::optional<QRectF> SeparatorController::laidOutFrame(const StatusItem &item) {
    const auto frame = frameOf(item);
    return frame && frame->width() > 0.0 ? frame : std::nullopt;
}

bool SeparatorController::seated(const StatusItem &item) const {
    const auto frame = laidOutFrame(item);
    return frame && isOnAMenuBar(*frame, screenFrames(), menuBarSlack);
}

bool SeparatorController::framesReadable() const {
    return (m_iconHidden || seated(*m_icon)) && seated(*m_hiddenSep) && seated(*m_alwaysHiddenSep);
}

bool SeparatorController::laidOut() const {
    return (m_iconHidden || laidOutFrame(*m_icon)) && laidOutFrame(*m_hiddenSep) &&
           laidOutFrame(*m_alwaysHiddenSep);
}

bool SeparatorController::revealLaidOut(bool includingAlwaysHidden) const {
    const auto laidOutCollapsed = [](const StatusItem &item) {
        const auto frame = laidOutFrame(item);
        return item.length() == collapsedLength && frame && frame->width() < 60.0;
    };
    return laidOutCollapsed(*m_hiddenSep) &&
           (!includingAlwaysHidden || laidOutCollapsed(*m_alwaysHiddenSep));
}

std::optional<Screen> SeparatorController::barScreen() const {
    return screenOf(*m_hiddenSep);
}

std::optional<double> SeparatorController::barScreenMinX() const {
    const auto screen = screenOf(*m_hiddenSep);
    if (!screen) {
        return std::nullopt;
    }
    return screen->frame.left();
}

QJsonObject SeparatorController::geometry() const {
    auto record = [](const StatusItem &item) {
        const auto frame = frameOf(item);
        if (!frame) {
            return QJsonObject{{u"length"_s, item.length()}, {u"window"_s, u"none"_s}};
        }
        return QJsonObject{{u"minX"_s, frame->left()},
                           {u"minY"_s, frame->top()},
                           {u"width"_s, frame->width()},
                           {u"height"_s, frame->height()},
                           {u"length"_s, item.length()}};
    };
    QJsonArray screens;
    for (const Screen &screen : m_screens.screens()) {
        const QRectF frame = screen.frame;
        screens.append(u"%1,%2 %3x%4 %5"_s.arg(truncated(frame.left()))
                           .arg(truncated(frame.top()))
                           .arg(truncated(frame.width()))
                           .arg(truncated(frame.height()))
                           .arg(screen.localizedName));
    }
    return QJsonObject{{u"hiddenSep"_s, record(*m_hiddenSep)},
                       {u"alwaysHiddenSep"_s, record(*m_alwaysHiddenSep)},
                       {u"icon"_s, record(*m_icon)},
                       {u"screens"_s, screens}};
}

bool SeparatorController::isOnAMenuBar(const QRectF &frame, const QList<QRectF> &screens,
                                       double verticalSlack) {
    return std::any_of(screens.begin(), screens.end(), [&](const QRectF &screen) {
        return screen.left() < frame.right() && frame.left() < screen.right() &&
               std::abs(topOf(frame) - topOf(screen)) <= verticalSlack;
    });
}

double SeparatorController::expandLength(double restingMinX, const StatusItem &item) const {
    const QList<Screen> screens = m_screens.screens();
    std::optional<Screen> screen = screenOf(item);
    if (!screen && !screens.isEmpty()) {
        screen = screens.front();
    }
    double widest = 0.0;
    for (const Screen &each : screens) {
        widest = std::max(widest, each.frame.width());
    }
    if (screens.isEmpty()) {
        widest = screen ? screen->frame.width() : 1600.0;
    }
    const double right = screen ? screen->frame.right() : restingMinX + 300.0;
    const double length = std::max(widest - (right - restingMinX) + 120.0, 0.0);
    return std::max(length, collapsedLength);
}

double SeparatorController::expandedFrom(const StatusItem &item) const {
    const auto frame = frameOf(item);
    return frame ? expandLength(frame->right() - collapsedLength, item) : fallbackExpandedLength;
}

void SeparatorController::setRevealed(bool revealed, bool includingAlwaysHidden) {
    if (!revealed) {
        if (!iconIsSafelyRightmost()) {
            // Lengthening a separator right of the icon would push the icon off screen.
            resize(*m_hiddenSep, collapsedLength);
            resize(*m_alwaysHiddenSep, collapsedLength);
            m_lastTuckRefused = true;
            return;
        }
        m_lastTuckRefused = false;
        resize(*m_alwaysHiddenSep, collapsedLength);
        resize(*m_hiddenSep, expandedFrom(*m_hiddenSep));
        return;
    }
    m_lastTuckRefused = false;
    // A separator that stays or grows long right of the icon keeps it off screen: with the icon
    // anywhere but rightmost, everything shows until the icon is back in its seat.
    if (includingAlwaysHidden || !separatorsAreOrdered() || !iconIsSafelyRightmost()) {
        resize(*m_alwaysHiddenSep, collapsedLength);
        resize(*m_hiddenSep, collapsedLength);
        return;
    }
    if (hiddenSeparatorFrame() && m_hiddenSep->length() > collapsedLength) {
        // The hidden separator's resting edge is where the always-hidden one must push from.
        resize(*m_alwaysHiddenSep, expandedFrom(*m_hiddenSep));
        resize(*m_hiddenSep, collapsedLength);
        return;
    }
    const double alwaysLength = m_alwaysHiddenSep->length();
    resize(*m_hiddenSep, collapsedLength);
    if (alwaysLength <= collapsedLength) {
        auto chain = [this](CancellationToken token) { return expandAlwaysWhenSettled(token); };
        m_expandChain.start(std::move(chain));
    } else {
        resize(*m_alwaysHiddenSep, expandedFrom(*m_alwaysHiddenSep));
    }
}

bool SeparatorController::alwaysHiddenSepClearOfScreenEdge() const {
    const auto frame = alwaysHiddenSeparatorFrame();
    if (!frame) {
        return false;
    }
    const auto screen = screenOf(*m_alwaysHiddenSep);
    return screen ? screen->frame.left() < frame->left() : frame->left() > 0.0;
}

QCoro::Task<> SeparatorController::expandAlwaysWhenSettled(CancellationToken cancellation) {
    QPointer<SeparatorController> self(this);
    for (int attempt = 0; attempt < settleChecks; ++attempt) {
        if (m_hiddenSep->length() != collapsedLength ||
            m_alwaysHiddenSep->length() != collapsedLength) {
            co_return; // another tuck or reveal has taken over
        }
        if (alwaysHiddenSepClearOfScreenEdge() && iconIsSafelyRightmost()) {
            resize(*m_alwaysHiddenSep, expandedFrom(*m_alwaysHiddenSep));
            co_return;
        }
        if (attempt + 1 == settleChecks) {
            co_return;
        }
        const SleepOutcome outcome =
            co_await m_clock.sleep(seconds(settleCheckSeconds), cancellation);
        if (outcome == SleepOutcome::Cancelled || !self) {
            co_return;
        }
    }
}

QCoro::Task<bool> SeparatorController::retuckForcingReflow() {
    if (!iconIsSafelyRightmost()) {
        m_lastTuckRefused = true;
        co_return false;
    }
    resize(*m_hiddenSep, collapsedLength);
    resize(*m_alwaysHiddenSep, collapsedLength);
    QPointer<SeparatorController> self(this);
    // Nothing cancels this sleep but the clock going away, which ends the retuck with it.
    const SleepOutcome outcome = co_await m_clock.sleep(seconds(reflowSeconds));
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return false;
    }
    setRevealed(false, false);
    co_return !m_lastTuckRefused;
}

void SeparatorController::showEverything() {
    resize(*m_hiddenSep, collapsedLength);
    resize(*m_alwaysHiddenSep, collapsedLength);
    m_lastTuckRefused = false;
}

} // namespace zorv
