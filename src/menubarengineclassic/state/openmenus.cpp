#include "openmenus.h"

#include "windowlist.h"
#include "workspace.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

OpenMenus::OpenMenus(const WindowList &windows, const Workspace &workspace)
    : m_windows(windows), m_workspace(workspace) {}

bool OpenMenus::anyOpen() const {
    const qint32 self = m_workspace.currentProcessId();
    const QList<OnScreenWindow> windows = m_windows.onScreenWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [self](const OnScreenWindow &window) {
        return window.layer == WindowList::popUpMenuLayer && window.owningProcessId != self;
    });
}

bool OpenMenus::holdsTuck(const QString &reason) {
    return reason != u"toggle"_s && reason != u"request"_s && reason != u"retry-hiding"_s;
}

std::optional<QString> OpenMenus::takeHeldTuck() {
    return anyOpen() ? std::nullopt : std::exchange(m_heldTuck, std::nullopt);
}

} // namespace zorv
