#include "offscreenfallback.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace zorv {

std::optional<QString> chooseOffscreenWithoutDisplay() {
    // An empty variable reaches no display and chooses no platform either.
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return std::nullopt;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return u"No display: running offscreen (--sim-screenshots saves pictures of the displays)."_s;
}

} // namespace zorv
