#include "hidingblockedreason.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString headline(HidingBlockedReason reason) {
    switch (reason) {
    case HidingBlockedReason::iconMisseated:
        return u"Putting the menu bar back in order"_s;
    case HidingBlockedReason::displayNotHiding:
        return u"Waiting on this display"_s;
    }
    Q_UNREACHABLE();
    return {};
}

QString detail(HidingBlockedReason reason) {
    switch (reason) {
    case HidingBlockedReason::iconMisseated:
        return u"macOS moved Zorv's icon to the left of the icons it manages, so Zorv is showing "
               u"everything while it puts the order back. It retries until it works."_s;
    case HidingBlockedReason::displayNotHiding:
        return u"macOS isn't moving menu bar icons on this display, which happens on some AirPlay "
               u"and Sidecar displays. Zorv keeps trying and picks up again as soon as the bar "
               u"responds."_s;
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<QString> userFix(HidingBlockedReason reason) {
    switch (reason) {
    case HidingBlockedReason::iconMisseated:
        return u"If it keeps coming back: hold Command and drag the Zorv icon to the right of your "
               u"other menu bar icons."_s;
    case HidingBlockedReason::displayNotHiding:
        return std::nullopt;
    }
    Q_UNREACHABLE();
    return std::nullopt;
}

} // namespace zorv
