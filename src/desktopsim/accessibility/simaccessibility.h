#pragma once

#include "accessibility.h"
#include "model/desktopmodel.h"

namespace zorv {

// The accessibility interface of the simulated desktop (see ElementAttributes for the answers).
// A request to a hung application blocks the calling thread for the element's messaging time-out
// on the simulated clock and then fails with CannotComplete, unless the application recovered
// meanwhile. On the main thread, which must never block, it fails at once. A time-out of 0 gives
// the element the default time-out again.
class SimAccessibility final : public Accessibility {
public:
    // A hung application blocks a request for at most this many seconds, whatever the time-out:
    // longer waits end the same way and would not fit the clock's durations.
    static constexpr double longestWait = 24 * 3600.0;

    explicit SimAccessibility(DesktopModel &model);

    [[nodiscard]] bool isProcessTrusted() const override;
    [[nodiscard]] AXElement applicationElement(qint32 processId) override;
    AXError setMessagingTimeout(AXElement element, double seconds) override;
    [[nodiscard]] AXAttributeResult copyAttributeValue(AXElement element,
                                                       const QString &attribute) override;

private:
    // The time-out to wait when the element's application hangs; absent when it answers.
    [[nodiscard]] std::optional<double> hangTimeout(AXElement element) const;

    DesktopModel &m_model;
};

} // namespace zorv
