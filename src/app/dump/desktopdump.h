#pragma once

#include "desktopsnapshot.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace zorv {

class AppModel;
class ClassicEngine;
class NotificationBanner;
class SimulatedPlatform;

// The bars' state as a JSON document, for checking a run from outside: the scenario and the
// simulated time, then per screen its frame (bottom-left convention) and every status item left
// to right with its order, application, bundle identifier, title, autosave name, frame (top-left
// convention) and whether it is on screen and drawn; this application's windows front to back
// with their application, title, frame (top-left convention), level and whether they are visible
// and key; the open menus under "menus" and the notification banner shown under "banner" (see
// ShownMenusDump); the plain text on the pasteboard under "pasteboard"; with an engine its view of
// the bar under "engine" (see EngineDump) and with an app model its state under "model" (see
// ModelDump). A top-level "coordinateConventions" object names the convention of each kind of
// frame. Written with the canonical writer, so equal states give equal files.
class DesktopDump {
public:
    [[nodiscard]] static QJsonObject toJson(SimulatedPlatform &platform,
                                            ClassicEngine *engine = nullptr,
                                            AppModel *model = nullptr,
                                            const NotificationBanner *banner = nullptr);
    // Writes the document atomically; the reason when it could not be written.
    [[nodiscard]] static std::optional<QString>
    write(SimulatedPlatform &platform, const QString &path, ClassicEngine *engine = nullptr,
          AppModel *model = nullptr, const NotificationBanner *banner = nullptr);
};

} // namespace zorv
