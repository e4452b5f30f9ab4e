#pragma once

#include "model/desktopmodel.h"
#include "screencapture.h"

namespace zorv {

// The screen-capture service of the simulated desktop. On offer: each screen's menu-bar window
// (layer 24, as wide as the screen), the desktop picture of each screen (unless desktop windows
// are excluded), and every laid-out status item's window on the active screen's bar (layer 25,
// as tall as the bar, window number = item id; off-screen ones only when all windows are asked
// for). Status-item windows and displays can be captured: an item window shows its content on
// the ground the configuration asks for (clear, for a transparent colour), a display what
// its bar shows. Requests complete without suspending.
class SimScreenCapture final : public ScreenCapture {
public:
    static constexpr int statusItemLayer = 25;
    static constexpr int menuBarLayer = 24;
    static constexpr int desktopLayer = -2147483623;

    explicit SimScreenCapture(DesktopModel &model);

    [[nodiscard]] bool hasPermission() const override;
    [[nodiscard]] QCoro::Task<ShareableContentResult>
    shareableContent(bool excludingDesktopWindows, bool onScreenWindowsOnly) override;
    [[nodiscard]] QCoro::Task<CaptureResult>
    captureWindow(quint32 windowId, CaptureConfiguration configuration) override;
    [[nodiscard]] QCoro::Task<CaptureResult>
    captureDisplay(DisplayId display, QList<quint32> excludedWindowIds,
                   CaptureConfiguration configuration) override;

private:
    [[nodiscard]] ShareableContentResult content(bool excludingDesktopWindows,
                                                 bool onScreenWindowsOnly) const;
    [[nodiscard]] CaptureResult window(quint32 windowId,
                                       const CaptureConfiguration &configuration) const;
    [[nodiscard]] CaptureResult display(DisplayId displayId, const QList<quint32> &excluded,
                                        const CaptureConfiguration &configuration) const;

    DesktopModel &m_model;
};

} // namespace zorv
