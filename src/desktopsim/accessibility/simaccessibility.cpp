#include "accessibility/simaccessibility.h"

#include "accessibility/elementattributes.h"
#include "mainthread.h"

#include <algorithm>
#include <cmath>

namespace zorv {

SimAccessibility::SimAccessibility(DesktopModel &model) : m_model(model) {}

bool SimAccessibility::isProcessTrusted() const {
    return m_model.read([](const DesktopState &state) { return state.accessibilityTrusted; });
}

AXElement SimAccessibility::applicationElement(qint32 processId) {
    return m_model.write([&](DesktopState &state, ModelEffects &) {
        return state.elements.applicationElement(processId);
    });
}

AXError SimAccessibility::setMessagingTimeout(AXElement element, double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        return AXError::IllegalArgument;
    }
    return m_model.write([&](DesktopState &state, ModelEffects &) {
        if (!state.elements.resolve(element)) {
            return AXError::InvalidUIElement;
        }
        state.elements.setTimeout(element, seconds);
        return AXError::Success;
    });
}

std::optional<double> SimAccessibility::hangTimeout(AXElement element) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<double> {
        const auto target = state.elements.resolve(element);
        if (!state.accessibilityTrusted || !target) {
            return std::nullopt;
        }
        qint32 processId = qint32(target->id);
        if (target->kind == AXElementTable::Kind::Item) {
            const ItemRecord *item = state.item(target->id);
            if (!item) {
                return std::nullopt;
            }
            processId = item->ownerProcessId;
        }
        const AppRecord *app = state.app(processId);
        if (!app || !app->hung) {
            return std::nullopt;
        }
        return state.elements.timeout(element);
    });
}

bool SimAccessibility::waitForAnswer(AXElement element, double timeout) {
    Duration left = seconds(std::min(timeout, longestWait));
    while (left > Duration::zero()) {
        const Duration step = std::min(left, Duration(recoveryCheckInterval));
        m_model.clock().blockingSleep(step);
        left -= step;
        if (!hangTimeout(element)) {
            return true;
        }
    }
    return false;
}

AXAttributeResult SimAccessibility::copyAttributeValue(AXElement element,
                                                       const QString &attribute) {
    if (isMainThread()) {
        m_model.write(
            [](DesktopState &state, ModelEffects &) { ++state.mainThreadAccessibilityReads; });
    }
    // A main-thread read waits like any other: the simulated Mac freezes as the real one would.
    if (const auto timeout = hangTimeout(element); timeout && !waitForAnswer(element, *timeout)) {
        return {AXError::CannotComplete, std::nullopt};
    }
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) {
        return ElementAttributes::read(state, element, attribute, now);
    });
}

} // namespace zorv
