#pragma once

#include <QJsonObject>

namespace zorv {

class AppModel;

// The app model's state for the desktop dump: the active profile's name ("activeProfile", null
// when none is active), when the settings were last saved ("lastSavedAt", ISO-8601 in UTC, null
// when never in this run) and the layout as the layout store holds it ("layout", in the store
// file's JSON form).
class ModelDump {
public:
    ModelDump() = delete;

    [[nodiscard]] static QJsonObject toJson(AppModel &model);
};

} // namespace zorv
