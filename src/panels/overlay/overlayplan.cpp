#include "overlayplan.h"

#include "look/hexcolor.h"

#include <algorithm>

namespace zorv {

namespace {

// The user's opacity, never fainter than the floor; a value beyond 1 (or not a number) from a
// hand-edited file is held to the range.
double tintAlpha(double opacity) {
    if (!(opacity > OverlayPlan::minimumTintOpacity)) {
        return OverlayPlan::minimumTintOpacity;
    }
    return std::min(opacity, 1.0);
}

} // namespace

QList<OverlayPlan> OverlayPlan::forScreens(const QList<Screen> &screens,
                                           const Appearance &appearance) {
    if (!appearance.tintEnabled && !appearance.borderEnabled && !appearance.shadowEnabled) {
        return {};
    }
    QList<OverlayPlan> plans;
    for (const Screen &screen : screens) {
        OverlayPlan plan;
        plan.shadowExtent = appearance.shadowEnabled ? shadowBand : 0;
        const double top = screen.frame.y() + screen.frame.height();
        const double visibleTop = screen.visibleFrame.y() + screen.visibleFrame.height();
        plan.barHeight = std::max(top - visibleTop, minimumBarHeight);
        plan.frame = QRectF(screen.frame.x(), top - plan.barHeight - plan.shadowExtent,
                            screen.frame.width(), plan.barHeight + plan.shadowExtent);
        if (appearance.tintEnabled) {
            QColor colour = HexColor::parse(appearance.tintHex).value_or(QColor(Qt::black));
            colour.setAlphaF(float(tintAlpha(appearance.tintOpacity)));
            plan.tint = colour;
            if (appearance.cornerRadius > 0) {
                plan.tintRadius = std::min(appearance.cornerRadius, plan.barHeight / 2);
            }
        }
        plan.border = appearance.borderEnabled;
        plan.shadow = appearance.shadowEnabled;
        plans.append(plan);
    }
    return plans;
}

} // namespace zorv
