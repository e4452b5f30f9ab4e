#pragma once

namespace zorv::IconClick {

enum class Action { menu, reveal };

// What a click on the app's own status item does. The preference names what a plain click does;
// the other kind of click (right click, or Control held) does the opposite.
[[nodiscard]] constexpr Action action(bool rightClick, bool clickOpensMenu) {
    return rightClick == clickOpensMenu ? Action::reveal : Action::menu;
}

} // namespace zorv::IconClick
