#include "openmenus.h"

#include "screens.h"
#include "windowlist.h"
#include "workspace.h"

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How far apart two edges may lie and still be one.
constexpr double kSameEdge = 1.0;

} // namespace

OpenMenus::OpenMenus(const WindowList &windows, const Workspace &workspace,
                     const Screens &screens)
    : m_windows(windows), m_workspace(workspace), m_screens(screens) {}

bool OpenMenus::anyOpen() const {
    const qint32 self = m_workspace.currentProcessId();
    const QList<OnScreenWindow> windows = m_windows.onScreenWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [self](const OnScreenWindow &window) {
        return window.layer == WindowList::popUpMenuLayer && window.owningProcessId != self;
    });
}

bool OpenMenus::openBelow(qint32 processId, const QRectF &item,
                          const QList<QRectF> &itsOtherItems) const {
    std::optional<double> screenRight;
    for (const Screen &screen : m_screens.screens()) {
        if (screen.frame.left() <= item.center().x() && item.center().x() < screen.frame.right()) {
            screenRight = screen.frame.right();
        }
    }
    const QList<OnScreenWindow> windows = m_windows.onScreenWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [&](const OnScreenWindow &window) {
        if (window.layer != WindowList::popUpMenuLayer || window.owningProcessId != processId) {
            return false;
        }
        const QRectF &menu = window.frame;
        const bool fromItsLeftEdge = std::abs(menu.left() - item.left()) < kSameEdge;
        const auto opensThere = [&menu](const QRectF &other) {
            return other.width() > 0.0 && menu.left() - kSameEdge < other.left() &&
                   other.left() < menu.right();
        };
        const bool pushedLeft = screenRight && std::abs(menu.right() - *screenRight) < kSameEdge &&
                                menu.left() < item.left() && item.left() < menu.right() &&
                                std::none_of(itsOtherItems.cbegin(), itsOtherItems.cend(),
                                             opensThere);
        return fromItsLeftEdge || pushedLeft;
    });
}

bool OpenMenus::holdsTuck(const QString &reason) {
    return reason != u"toggle"_s && reason != u"request"_s && reason != u"retry-hiding"_s;
}

std::optional<QString> OpenMenus::takeHeldTuck() {
    return anyOpen() ? std::nullopt : std::exchange(m_heldTuck, std::nullopt);
}

} // namespace zorv
