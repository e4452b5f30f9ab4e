#include "barlanes.h"

#include "drift/driftrules.h"

#include <algorithm>
#include <limits>

namespace zorv {

namespace {

// Space kept between a drop target and a lane's edge.
constexpr double edgeMargin = 12.0;
// How far beside a lone neighbour a slot may lie.
constexpr double neighbourReach = 120.0;
constexpr double openEnd = std::numeric_limits<double>::lowest();
// How far inside the centres that bound a lane a drop is aimed.
constexpr double centreStep = 1.0;

} // namespace

BarLanes::BarLanes(const BarGeometry &geometry)
    : m_geometry(geometry), m_hidden(geometry.hiddenSep.left()),
      m_always(geometry.separatorsOrdered ? geometry.alwaysSep : std::nullopt) {}

double BarLanes::alwaysBoundary() const {
    return m_always ? m_always->left() : m_hidden;
}

Section BarLanes::laneAt(double midX) const {
    if (m_hidden < midX) {
        return Section::shown;
    }
    if (m_always && midX < m_always->left()) {
        return Section::alwaysHidden;
    }
    return Section::hidden;
}

std::optional<Section> BarLanes::laneToMoveInto(Section wanted, double midX) const {
    constexpr double tolerance = DriftRules::laneTolerance;
    const bool separatorsOrdered = m_geometry.separatorsOrdered;
    const double always = alwaysBoundary();
    switch (wanted) {
    case Section::shown:
        return midX < m_hidden - tolerance ? std::optional(Section::shown) : std::nullopt;
    case Section::hidden:
        return midX > m_hidden + tolerance || (separatorsOrdered && midX < always - tolerance)
                   ? std::optional(Section::hidden)
                   : std::nullopt;
    case Section::alwaysHidden:
        if (separatorsOrdered) {
            return midX > always + tolerance ? std::optional(Section::alwaysHidden) : std::nullopt;
        }
        return midX > m_hidden + tolerance ? std::optional(Section::hidden) : std::nullopt;
    }
    return std::nullopt;
}

std::pair<double, double> BarLanes::range(Section lane) const {
    switch (lane) {
    case Section::shown:
        return {m_geometry.hiddenSep.right() + edgeMargin,
                m_geometry.iconFrame.left() - edgeMargin};
    case Section::hidden:
        return {m_always ? m_always->right() + edgeMargin : openEnd, m_hidden - edgeMargin};
    case Section::alwaysHidden:
        return {openEnd, (m_always ? m_always->left() : m_hidden) - edgeMargin};
    }
    return {openEnd, openEnd};
}

std::pair<double, double> BarLanes::landingSpan(Section lane) const {
    const double hiddenCentre = m_geometry.hiddenSep.center().x();
    switch (lane) {
    case Section::shown:
        return {hiddenCentre + centreStep, m_geometry.iconFrame.center().x() - centreStep};
    case Section::hidden:
        return {m_always ? m_always->center().x() + centreStep : openEnd,
                hiddenCentre - centreStep};
    case Section::alwaysHidden:
        return {openEnd, (m_always ? m_always->center().x() : hiddenCentre) - centreStep};
    }
    return {openEnd, openEnd};
}

std::pair<double, double> BarLanes::landingBetween(const QRectF *previous, const QRectF *next,
                                                   std::pair<double, double> landing) {
    return {previous ? std::max(landing.first, previous->center().x() + centreStep) : landing.first,
            next ? std::min(landing.second, next->center().x() - centreStep) : landing.second};
}

double BarLanes::slotTarget(const QRectF *previous, const QRectF *next,
                            std::pair<double, double> range) {
    const auto [lower, upper] = range;
    double target = 0.0;
    if (previous && next) {
        target = (previous->center().x() + next->center().x()) * 0.5;
    } else if (next) {
        target = (next->left() + std::max(lower, next->left() - neighbourReach)) * 0.5;
    } else if (previous) {
        target = (previous->right() + std::min(previous->right() + neighbourReach, upper)) * 0.5;
    }
    return std::min(std::max(target, lower), upper);
}

} // namespace zorv
