#pragma once

#include "menubaritemid.h"

#include <QList>
#include <QRectF>
#include <QSet>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

// Where on the bar a drag can start or end, and which items the user could reach: on the bar
// screen's own span (which may lie left of the primary screen), clear of the camera housing, right
// of the front application's menus, on a bar that is showing, of an application that answers.
// Items covered by the menus or the housing keep their laid-out frames and still report as
// visible, but take no click and no drag. Frames and x in global points, top-left convention.
struct Reachability {
    // Why an item cannot be reached, as the run's record names it.
    static inline const QString offScreen = QStringLiteral("off screen");
    static inline const QString underHousing = QStringLiteral("behind the camera housing");
    static inline const QString underMenus = QStringLiteral("under the menus");
    static inline const QString barHidden = QStringLiteral("bar hidden");
    static inline const QString notAnswering = QStringLiteral("not answering");
    // The item can be reached, but no part of the lane it must go into can.
    static inline const QString laneOutOfReach = QStringLiteral("its lane out of reach");

    // A drag point this close to either end of the bar screen is not trusted to land.
    static constexpr double screenInset = 4.0;
    // How far past the edge of a camera housing a drag point is put.
    static constexpr double edgeStep = 1.0;

    // The bar screen's frame; absent when no screen holds the bar (nothing is reachable).
    std::optional<QRectF> barScreen;
    // Spans of x the camera housings cover.
    QList<std::pair<double, double>> housings;
    // Where the front application's menus end; absent without menus.
    std::optional<double> menusRight;
    // Items kept from the last scan of an application that did not answer.
    QSet<MenuBarItemID> unanswered;
    // False while the bar hides automatically and is out of view.
    bool barShowing = true;
    // Where Finder's menus end as they stand in front (the front application's while Finder is
    // in front); absent where Finder does not run or answer.
    std::optional<double> deskMenusRight = std::nullopt;

    // Why the item in `frame` cannot be reached; absent when it can.
    [[nodiscard]] std::optional<QString> whyNot(const MenuBarItemID &id, const QRectF &frame) const;
    // What covers an item in `frame` on the bar: the camera housing or the front application's
    // menus; absent when neither does.
    [[nodiscard]] std::optional<QString> coveredBy(const QRectF &frame) const;
    // Whether a drag may start or end at x on the bar.
    [[nodiscard]] bool reaches(double x) const;
    // Whether a camera housing covers x.
    [[nodiscard]] static bool inHousing(double x, const QList<std::pair<double, double>> &housings);
    // What keeps drags from a span of x none of which can be reached: the menus where part of
    // it could be reached without them (shorter ones in front open that part), else the camera
    // housing where it covers part of it on screen, else the screen's edge (or the bar hidden).
    [[nodiscard]] QString whyNotIn(double lower, double upper) const;
    // Whether, with Finder's menus in front instead, a drag could get past the menus at the item
    // in `frame` / at some x in [lower, upper].
    [[nodiscard]] bool clearOfDeskMenus(const QRectF &frame) const;
    [[nodiscard]] bool clearOfDeskMenus(double lower, double upper) const;
    // The x in [lower, upper] nearest `preferred` that a drag may end at; none when no part of the
    // span can be reached.
    [[nodiscard]] std::optional<double> nearestReachable(double preferred, double lower,
                                                         double upper) const;

    // Whether a drag can get at the same places on the bar as under `other`: the same bar screen,
    // housings and menus, the bar showing or not alike. Which applications answer is left out.
    [[nodiscard]] bool samePlaces(const Reachability &other) const;

    friend bool operator==(const Reachability &, const Reachability &) = default;
};

} // namespace zorv
