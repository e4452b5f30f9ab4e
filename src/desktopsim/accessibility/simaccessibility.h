#pragma once

#include "accessibility.h"
#include "model/desktopmodel.h"

namespace zorv {

// The accessibility interface of the simulated desktop (see ElementAttributes for the answers and
// ElementActions for the actions).
// A request to a hung application blocks the calling thread, on the simulated clock, until the
// application recovers (it answers at that moment) or the element's messaging time-out has passed,
// and then fails with CannotComplete. That holds on the main thread too, which a hung
// application freezes there as on a real Mac; the desktop counts main-thread reads
// (DesktopReadout::mainThreadAccessibilityReads) so that tests can insist on none. A time-out of
// 0 gives the element the default time-out again.
class SimAccessibility final : public Accessibility {
public:
    // A hung application blocks a request for at most this many seconds, whatever the time-out:
    // longer waits end the same way and would not fit the clock's durations.
    static constexpr double longestWait = 24 * 3600.0;

    explicit SimAccessibility(DesktopModel &model);

    [[nodiscard]] bool isProcessTrusted() const override;
    bool isProcessTrustedWithPrompt() override;
    [[nodiscard]] AXElement applicationElement(qint32 processId) override;
    AXError setMessagingTimeout(AXElement element, double seconds) override;
    [[nodiscard]] AXAttributeResult copyAttributeValue(AXElement element,
                                                       const QString &attribute) override;
    AXError performAction(AXElement element, const QString &action) override;

private:
    // What a request to a hung application waits for: the element's time-out in seconds, and the
    // token cancelled when the hang ends.
    struct Hang {
        double timeout = 0.0;
        CancellationToken ends;
    };

    // The hang of the element's application; absent when it answers.
    [[nodiscard]] std::optional<Hang> currentHang(AXElement element) const;
    // Blocks while the element's application hangs, for at most its time-out; true when it
    // answered again in time.
    [[nodiscard]] bool waitForAnswer(AXElement element, Hang hang);

    DesktopModel &m_model;
};

} // namespace zorv
