#pragma once

#include "accessibility.h"
#include "model/desktopmodel.h"

namespace zorv {

// The accessibility interface of the simulated desktop (see ElementAttributes for the answers).
// A request to a hung application blocks the calling thread, on the simulated clock, until the
// application recovers (checked every `recoveryCheckInterval`) or the element's messaging time-out
// has passed, and then fails with CannotComplete. That holds on the main thread too, which a hung
// application freezes there as on a real Mac; the desktop counts main-thread reads
// (DesktopReadout::mainThreadAccessibilityReads) so that tests can insist on none. A time-out of
// 0 gives the element the default time-out again.
class SimAccessibility final : public Accessibility {
public:
    // A hung application blocks a request for at most this many seconds, whatever the time-out:
    // longer waits end the same way and would not fit the clock's durations.
    static constexpr double longestWait = 24 * 3600.0;
    // How often a blocked request looks whether the application answers again.
    static constexpr std::chrono::milliseconds recoveryCheckInterval{10};

    explicit SimAccessibility(DesktopModel &model);

    [[nodiscard]] bool isProcessTrusted() const override;
    [[nodiscard]] AXElement applicationElement(qint32 processId) override;
    AXError setMessagingTimeout(AXElement element, double seconds) override;
    [[nodiscard]] AXAttributeResult copyAttributeValue(AXElement element,
                                                       const QString &attribute) override;

private:
    // The time-out to wait when the element's application hangs; absent when it answers.
    [[nodiscard]] std::optional<double> hangTimeout(AXElement element) const;
    // Blocks while the element's application hangs, for at most `timeout` seconds; true when it
    // answered again in time.
    [[nodiscard]] bool waitForAnswer(AXElement element, double timeout);

    DesktopModel &m_model;
};

} // namespace zorv
