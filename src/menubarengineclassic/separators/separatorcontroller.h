#pragma once

#include "latesttask.h"

#include <QCoroTask>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QRectF>

#include <memory>
#include <optional>

namespace zorv {

class Clock;
class Screens;
class StatusBar;
class StatusItem;
struct Screen;

// Owns this application's three status items (its icon and the two separators) and turns the
// tucked and revealed states into separator lengths. The bar lays items out right to left and a
// growing item pushes everything left of it further left, so left to right the bar reads:
// always-hidden items, the always-hidden separator, hidden items, the hidden separator, shown
// items, the icon. Tucking lengthens the hidden separator until the hidden and always-hidden
// sections lie past the screen's left edge; revealing the hidden section collapses it and
// lengthens the always-hidden separator instead; revealing everything collapses both.
//
// It keeps no reveal state of its own: tucked or revealed is read off the lengths, and the only
// outcome it records is whether the last tuck was refused. Frames are those of the items' button
// windows (bottom-left convention). Main thread.
class SeparatorController : public QObject {
    Q_OBJECT

public:
    // The length of a collapsed separator: a blank gap.
    static constexpr double collapsedLength = 8.0;
    // Used when the hidden separator's window cannot be read.
    static constexpr double fallbackExpandedLength = 1720.0;
    // How far above or below a screen's top edge a window still counts as on its menu bar.
    static constexpr double menuBarSlack = 60.0;

    SeparatorController(StatusBar &statusBar, Screens &screens, Clock &clock,
                        QObject *parent = nullptr);
    ~SeparatorController() override;

    [[nodiscard]] StatusItem &icon() { return *m_icon; }
    [[nodiscard]] StatusItem &hiddenSep() { return *m_hiddenSep; }
    [[nodiscard]] StatusItem &alwaysHiddenSep() { return *m_alwaysHiddenSep; }

    // The autosave names under which the system keeps the three items' positions.
    static inline const QString iconName = QStringLiteral("zorv-icon-v2");
    static inline const QString hiddenSeparatorName = QStringLiteral("zorv-hidden-separator-v2");
    static inline const QString alwaysHiddenSeparatorName =
        QStringLiteral("zorv-always-hidden-separator-v2");

    // Removes the three items and creates them again, so that the bar places them at the
    // positions now kept under their autosave names. They come back collapsed.
    void recreateItems();
    // Removes the icon alone and creates it again at the position kept under its autosave name;
    // the separators keep their places and lengths.
    void recreateIcon();

    [[nodiscard]] bool lastTuckRefused() const { return m_lastTuckRefused; }
    void setLastTuckRefused(bool refused) { m_lastTuckRefused = refused; }

    // Whether the user asked to hide the icon: a hidden icon has length 0 and a hidden button.
    [[nodiscard]] bool iconHidden() const { return m_iconHidden; }
    void setIconHidden(bool hidden);

    [[nodiscard]] std::optional<QRectF> hiddenSeparatorFrame() const;
    [[nodiscard]] std::optional<QRectF> alwaysHiddenSeparatorFrame() const;
    // Both readable and the always-hidden one left of the hidden one.
    [[nodiscard]] bool separatorsAreOrdered() const;
    // The icon is right of both separators (always true while it is hidden): only then may a
    // separator grow without pushing the icon off screen.
    [[nodiscard]] bool iconIsSafelyRightmost() const;
    [[nodiscard]] bool iconNeedsReseating() const;
    [[nodiscard]] bool iconIsOnScreen() const;
    // The icon (unless hidden) and both separators are laid out on a menu bar.
    [[nodiscard]] bool framesReadable() const;
    // The icon (unless hidden) and both separators have frames laid out, on a menu bar or past a
    // screen's edge (where a crowded bar keeps the always-hidden one).
    [[nodiscard]] bool laidOut() const;
    // The hidden separator, and the always-hidden one when `includingAlwaysHidden`, are laid out
    // collapsed, on screen or past its edge.
    [[nodiscard]] bool revealLaidOut(bool includingAlwaysHidden) const;
    // The screen holding the hidden separator, else the main screen.
    [[nodiscard]] std::optional<Screen> barScreen() const;
    // The left edge of the screen holding the hidden separator, else of the main screen.
    [[nodiscard]] std::optional<double> barScreenMinX() const;
    // The three items' frames and lengths and the screens, for log records.
    [[nodiscard]] QJsonObject geometry() const;

    // True when some screen's frame overlaps the frame horizontally and its top edge lies within
    // `verticalSlack` of the frame's top edge.
    [[nodiscard]] static bool isOnAMenuBar(const QRectF &frame, const QList<QRectF> &screens,
                                           double verticalSlack);

    // Tucks (false) or reveals (true); see the class comment. A tuck is refused, leaving both
    // separators collapsed and lastTuckRefused() set, while the icon is not safely rightmost.
    void setRevealed(bool revealed, bool includingAlwaysHidden);
    // The length at which a separator whose left edge rests at `restingMinX` when collapsed
    // pushes everything left of it off screen, measured against the screen of `item`.
    [[nodiscard]] double expandLength(double restingMinX, const StatusItem &item) const;
    // Collapses both separators, lets the bar lay out again, then tucks; true when the tuck took.
    [[nodiscard]] QCoro::Task<bool> retuckForcingReflow();
    void showEverything();

Q_SIGNALS:
    // A length changed or the items were created anew: every item left of them moved.
    void itemsMoved();

private:
    void resize(StatusItem &item, double length);
    void createItems();
    void createIcon();
    [[nodiscard]] static std::optional<QRectF> frameOf(const StatusItem &item);
    // Its frame, once the bar has given it a width.
    [[nodiscard]] static std::optional<QRectF> laidOutFrame(const StatusItem &item);
    [[nodiscard]] std::optional<Screen> screenOf(const StatusItem &item) const;
    // Laid out on a menu bar.
    [[nodiscard]] bool seated(const StatusItem &item) const;
    [[nodiscard]] QList<QRectF> screenFrames() const;
    [[nodiscard]] double expandedFrom(const StatusItem &item) const;
    // Lengthens the always-hidden separator once the bar has laid the collapsed ones out.
    QCoro::Task<> expandAlwaysWhenSettled(CancellationToken cancellation);
    [[nodiscard]] bool alwaysHiddenSepClearOfScreenEdge() const;

    StatusBar &m_statusBar;
    Screens &m_screens;
    Clock &m_clock;
    std::unique_ptr<StatusItem> m_alwaysHiddenSep;
    std::unique_ptr<StatusItem> m_hiddenSep;
    std::unique_ptr<StatusItem> m_icon;
    bool m_lastTuckRefused = false;
    bool m_iconHidden = false;
    LatestTask m_expandChain;
};

} // namespace zorv
