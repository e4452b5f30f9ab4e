#pragma once

#include "model/desktopmodel.h"

namespace zorv {

// The privacy permissions this process holds: Accessibility (reading other applications'
// status items) and Screen Recording (captures). Both are granted at first; the user can revoke
// and grant them at any time. Thread-safe.
class Permissions {
public:
    explicit Permissions(DesktopModel &model);

    void setAccessibilityTrusted(bool trusted);
    [[nodiscard]] bool accessibilityTrusted() const;
    // Whether the system has asked the user to grant the Accessibility permission.
    [[nodiscard]] bool trustPromptShown() const;
    void setScreenRecordingGranted(bool granted);
    [[nodiscard]] bool screenRecordingGranted() const;

private:
    DesktopModel &m_model;
};

} // namespace zorv
