#pragma once

namespace zorv {

// Hover and scroll reveal on the menu bar, as the application shell implements it. The model makes
// one on first use and tells it which of the two gestures the user wants.
class RevealGestures {
public:
    virtual ~RevealGestures() = default;

    // Installs or removes the hover and scroll monitors to match the two settings.
    virtual void update(bool hover, bool scroll) = 0;
};

} // namespace zorv
