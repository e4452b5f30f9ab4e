#pragma once

#include "capturetypes.h"

#include <QCoroTask>
#include <QList>

namespace zorv {

// Stands in for the screen-capture service (ScreenCaptureKit): the windows and displays on
// offer, single-window and whole-display captures, and the Screen Recording permission. Without
// the permission every request fails with PermissionDenied. Main thread; await each request, as
// it may complete later.
class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;

    // Whether this process holds the Screen Recording permission (checked without prompting).
    [[nodiscard]] virtual bool hasPermission() const = 0;

    [[nodiscard]] virtual QCoro::Task<ShareableContentResult>
    shareableContent(bool excludingDesktopWindows, bool onScreenWindowsOnly) = 0;

    // The window alone, independent of the desktop, scaled to the configured pixel size.
    [[nodiscard]] virtual QCoro::Task<CaptureResult>
    captureWindow(quint32 windowId, CaptureConfiguration configuration) = 0;

    // The whole display with every window but the excluded ones, scaled to the configured size.
    [[nodiscard]] virtual QCoro::Task<CaptureResult>
    captureDisplay(DisplayId display, QList<quint32> excludedWindowIds,
                   CaptureConfiguration configuration) = 0;
};

} // namespace zorv
