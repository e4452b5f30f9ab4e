#include "accessibility/simaccessibility.h"

#include "accessibility/elementactions.h"
#include "accessibility/elementattributes.h"
#include "mainthread.h"

#include <algorithm>
#include <cmath>

namespace zorv {

SimAccessibility::SimAccessibility(DesktopModel &model) : m_model(model) {}

bool SimAccessibility::isProcessTrusted() const {
    return m_model.read([](const DesktopState &state) { return state.accessibilityTrusted; });
}

bool SimAccessibility::isProcessTrustedWithPrompt() {
    return m_model.write([](DesktopState &state, ModelEffects &) {
        if (!state.accessibilityTrusted) {
            state.trustPromptShown = true;
        }
        return state.accessibilityTrusted;
    });
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

std::optional<SimAccessibility::Hang> SimAccessibility::currentHang(AXElement element) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<Hang> {
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
        return Hang{state.elements.timeout(element), app->hangEnds->token()};
    });
}

bool SimAccessibility::waitForAnswer(AXElement element, Hang hang) {
    Clock &clock = m_model.clock();
    const MonotonicTime deadline =
        deadlineAfter(clock.now(), seconds(std::min(hang.timeout, longestWait)));
    for (;;) {
        const MonotonicTime now = clock.now();
        if (now >= deadline) {
            return false;
        }
        (void)clock.blockingSleep(deadline - now, hang.ends);
        const std::optional<Hang> still = currentHang(element);
        if (!still) {
            return true;
        }
        // Hung again since: the request waits on the new hang, within the same time-out.
        hang = *still;
    }
}

AXAttributeResult SimAccessibility::copyAttributeValue(AXElement element,
                                                       const QString &attribute) {
    if (isMainThread()) {
        m_model.write(
            [](DesktopState &state, ModelEffects &) { ++state.mainThreadAccessibilityReads; });
    }
    // A main-thread read waits like any other: the simulated Mac freezes as the real one would.
    if (const auto hang = currentHang(element); hang && !waitForAnswer(element, *hang)) {
        return {AXError::CannotComplete, std::nullopt};
    }
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) {
        return ElementAttributes::read(state, element, attribute, now);
    });
}

AXError SimAccessibility::performAction(AXElement element, const QString &action) {
    // The owner handles the action on its main thread: a hung one answers when it recovers, or
    // the request gives up at the time-out.
    if (const auto hang = currentHang(element); hang && !waitForAnswer(element, *hang)) {
        return AXError::CannotComplete;
    }
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        return ElementActions::perform(state, element, action, now, effects);
    });
}

} // namespace zorv
