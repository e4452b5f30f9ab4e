#include "appearanceoverlay.h"

#include "screens.h"

using namespace Qt::StringLiterals;

namespace zorv {

AppearanceOverlay::AppearanceOverlay(const PanelServices &services) : m_services(services) {}

AppearanceOverlay::~AppearanceOverlay() {
    tearDown();
}

void AppearanceOverlay::tearDown() {
    for (const auto &window : m_windows) {
        window->server().orderOut();
    }
    m_windows.clear();
    m_plans.clear();
}

void AppearanceOverlay::apply(const Appearance &appearance) {
    tearDown();
    const QList<OverlayPlan> plans =
        OverlayPlan::forScreens(m_services.screens.screens(), appearance);
    WindowStyle style;
    style.level = level;
    style.collectionBehavior = collectionBehavior;
    style.ignoresMouseEvents = true;
    style.nonActivating = true;
    style.canBecomeKey = false;
    style.opaque = false;
    style.hasShadow = false;
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                  Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;
    for (const OverlayPlan &plan : plans) {
        const QVariantMap properties{
            {u"barHeight"_s, plan.barHeight},
            {u"shadowExtent"_s, plan.shadowExtent},
            {u"tintShown"_s, plan.tint.has_value()},
            {u"tint"_s, plan.tint.value_or(QColor(Qt::transparent))},
            {u"tintRadius"_s, plan.tintRadius},
            {u"borderShown"_s, plan.border},
            {u"shadowShown"_s, plan.shadow},
        };
        std::unique_ptr<PanelWindow> window =
            PanelWindow::load(m_services.engine, m_services.windows, u"MenuBarOverlay.qml"_s,
                              properties, flags, style);
        if (!window) {
            continue;
        }
        window->server().setFrame(plan.frame);
        window->server().orderFrontRegardless();
        m_windows.push_back(std::move(window));
        m_plans.append(plan);
    }
}

} // namespace zorv
