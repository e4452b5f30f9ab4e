#pragma once

#include <QString>

namespace zorv {

// The settings-dependent values the settings panes' guide texts use; built fresh from the
// settings whenever it is read.
struct GuideContext {
    // A plain click on the app's status item opens its menu (and a right-click reveals).
    bool clickOpensMenu = false;
    // Display texts of the reveal and search hot keys, their default texts when none is set.
    QString revealShortcut;
    QString searchShortcut;
    // The bar is rearranged automatically rather than on request.
    bool liveLayout = false;

    friend bool operator==(const GuideContext &, const GuideContext &) = default;
};

} // namespace zorv
