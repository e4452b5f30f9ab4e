#pragma once

#include "axtypes.h"

#include <QString>

namespace zorv {

// Stands in for the accessibility interface (ApplicationServices' AXUIElement calls): whether this
// process is trusted, an application element per process, a messaging time-out per element, and
// attribute reads with typed values and error codes.
//
// Applications expose their status items under "AXExtrasMenuBar" (an element) whose "AXChildren"
// (an array of elements) each answer "AXPosition" (point), "AXSize" (size), "AXTitle",
// "AXDescription", "AXHelp" and "AXIdentifier" (strings). A status item's element performs
// "AXPress", which its owner handles as a click on the item (its menu opens below the item, also
// where no click could reach it), and "AXShowMenu" where the owner offers a menu; an Option-click
// has no such form.
//
// Every call is a synchronous request to another process: call it from a worker thread. A request
// to an application that does not answer blocks until it answers again or the element's messaging
// time-out has passed, and then fails with CannotComplete; on the main thread it freezes the
// application just as long. Thread-safe.
class Accessibility {
public:
    // The time-out of elements that were given none.
    static constexpr double defaultMessagingTimeout = 6.0;

    virtual ~Accessibility() = default;

    // Whether this process holds the Accessibility permission (checked without prompting). The
    // user can revoke it at any time; every read then fails with APIDisabled.
    [[nodiscard]] virtual bool isProcessTrusted() const = 0;
    // The same check, and when the process is not trusted the system asks the user to grant the
    // permission in its settings (the prompt appears at most once per process).
    virtual bool isProcessTrustedWithPrompt() = 0;

    // A new reference to the application element of the process. Creating it never fails; reads
    // through it fail when no such process runs.
    [[nodiscard]] virtual AXElement applicationElement(qint32 processId) = 0;

    // Sets how long requests made through this one element reference wait for an answer, in
    // seconds; 0 restores the default. Elements read through it (its children and so on) keep the
    // default.
    virtual AXError setMessagingTimeout(AXElement element, double seconds) = 0;

    [[nodiscard]] virtual AXAttributeResult copyAttributeValue(AXElement element,
                                                               const QString &attribute) = 0;
    // Asks the element to perform an action (AXUIElementPerformAction); Success once its
    // application has taken it.
    virtual AXError performAction(AXElement element, const QString &action) = 0;
};

} // namespace zorv
