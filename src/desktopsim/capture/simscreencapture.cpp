#include "capture/simscreencapture.h"

#include "capture/barrenderer.h"
#include "layout/barview.h"

#include <cmath>

namespace zorv {

namespace {

// Window numbers of the per-screen windows, clear of item ids.
constexpr quint32 menuBarWindowBase = 0x40000000;
constexpr quint32 desktopWindowBase = 0x50000000;

// The configured size, or the natural one at the screen's scale when none is given.
QSize pixelSize(const CaptureConfiguration &configuration, QSizeF points, double scale) {
    if (configuration.width > 0 && configuration.height > 0) {
        return {configuration.width, configuration.height};
    }
    return {std::max(1, int(std::lround(points.width() * scale))),
            std::max(1, int(std::lround(points.height() * scale)))};
}

} // namespace

SimScreenCapture::SimScreenCapture(DesktopModel &model) : m_model(model) {}

bool SimScreenCapture::hasPermission() const {
    return m_model.read([](const DesktopState &state) { return state.screenRecordingGranted; });
}

QCoro::Task<ShareableContentResult> SimScreenCapture::shareableContent(bool excludingDesktopWindows,
                                                                       bool onScreenWindowsOnly) {
    co_return content(excludingDesktopWindows, onScreenWindowsOnly);
}

QCoro::Task<CaptureResult> SimScreenCapture::captureWindow(quint32 windowId,
                                                           CaptureConfiguration configuration) {
    co_return window(windowId, configuration);
}

QCoro::Task<CaptureResult> SimScreenCapture::captureDisplay(DisplayId display,
                                                            QList<quint32> excludedWindowIds,
                                                            CaptureConfiguration configuration) {
    co_return this->display(display, excludedWindowIds, configuration);
}

ShareableContentResult SimScreenCapture::content(bool excludingDesktopWindows,
                                                 bool onScreenWindowsOnly) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> ShareableContentResult {
        if (!state.screenRecordingGranted) {
            return {std::nullopt, CaptureError::PermissionDenied};
        }
        const BarView view(state, now);
        ShareableContent content;
        for (const ScreenRecord &screen : state.screens) {
            const QRectF frame = view.topLeft(screen.frame);
            content.displays.append({screen.displayId, frame, int(std::lround(frame.width())),
                                     int(std::lround(frame.height()))});
            if (!excludingDesktopWindows) {
                content.windows.append(
                    {desktopWindowBase + screen.displayId, desktopLayer, frame, 0});
            }
            if (view.barShown(screen)) {
                content.windows.append({menuBarWindowBase + screen.displayId, menuBarLayer,
                                        view.topLeft(screen.barStrip()), 0});
            }
        }
        for (quint64 id : state.order) {
            const auto window = view.window(id);
            const ItemRecord *item = state.item(id);
            if (!window || !item || window->frame.width() <= 0.0 ||
                (onScreenWindowsOnly && !(window->onScreen && window->barShown))) {
                continue;
            }
            content.windows.append(
                {quint32(id), statusItemLayer, view.topLeft(window->frame), item->ownerProcessId});
        }
        return {content, CaptureError::None};
    });
}

CaptureResult SimScreenCapture::window(quint32 windowId,
                                       const CaptureConfiguration &configuration) const {
    const auto now = m_model.clock().now();
    const auto found = m_model.read(
        [&](const DesktopState &state) -> std::optional<std::pair<SceneItem, double>> {
            const auto window = BarView(state, now).window(windowId);
            const ItemRecord *item = state.item(windowId);
            const ScreenRecord *active = state.activeScreen();
            if (!window || !item || !active || window->frame.width() <= 0.0) {
                return std::nullopt;
            }
            return std::pair{DisplayScene::item(*item, QRectF(QPointF(), window->frame.size())),
                             active->scale};
        });
    if (!hasPermission()) {
        return {{}, CaptureError::PermissionDenied};
    }
    if (!found) {
        return {{}, CaptureError::NotFound};
    }
    const auto &[item, scale] = *found;
    // A status item's window is clear where it draws nothing: the ground is the one asked for.
    return {BarRenderer::renderItem(item, configuration.backgroundColor,
                                    pixelSize(configuration, item.rect.size(), scale)),
            CaptureError::None};
}

CaptureResult SimScreenCapture::display(DisplayId displayId, const QList<quint32> &excluded,
                                        const CaptureConfiguration &configuration) const {
    const auto now = m_model.clock().now();
    const QSet<quint64> excludedItems(excluded.cbegin(), excluded.cend());
    const auto found = m_model.read(
        [&](const DesktopState &state) -> std::optional<std::pair<DisplayScene, double>> {
            const ScreenRecord *screen = state.screen(displayId);
            if (!screen) {
                return std::nullopt;
            }
            return std::pair{DisplayScene::of(state, *screen, now, excludedItems), screen->scale};
        });
    if (!hasPermission()) {
        return {{}, CaptureError::PermissionDenied};
    }
    if (!found) {
        return {{}, CaptureError::NotFound};
    }
    const auto &[scene, scale] = *found;
    return {BarRenderer::renderDisplay(scene, pixelSize(configuration, scene.size, scale)),
            CaptureError::None};
}

} // namespace zorv
