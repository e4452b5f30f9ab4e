#pragma once

#include "clock.h"
#include "jsonreader.h"
#include "model/screenrecord.h"
#include "scenarioapplication.h"
#include "scenarioevent.h"
#include "scenarioinstall.h"
#include "script/rememberedpositions.h"

#include <QDateTime>
#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <optional>

namespace zorv {

// A description of one simulated Mac and what happens on it: its screens, its installed and
// running applications with their status items, the positions the system remembers for items,
// global preference values and permissions, plus timed events in simulated time. Read from the
// JSON form documented in src/desktopsim/scenarios/README.md; the reader refuses anything it does
// not understand and events that cannot happen, naming the key path of the fault.
struct Scenario {
    QString name;
    QString description;
    // When the scenario starts on the wall clock (a manual clock starts there).
    std::optional<QDateTime> start;
    // The menu bar's layout-pass delay; absent: the simulator's default.
    std::optional<Duration> layoutPassDelay;
    bool accessibilityTrusted = true;
    bool screenRecordingGranted = true;
    // The system's appearance at the start: light unless the scenario says dark.
    bool darkAppearance = false;
    // Desktop picture files by scenario display id (relative paths are resolved against the
    // scenario file's folder by ScenarioLoader::load); other screens show a drawn picture.
    QHash<DisplayId, QString> desktopPictures;
    // Values of the global preferences domain: numbers, strings or bools.
    QVariantMap preferences;
    // The first screen is the primary one.
    QList<ScreenRecord> screens;
    // The display whose bar holds the status items' windows at the start; absent: the primary.
    std::optional<DisplayId> activeDisplay;
    // In launch order.
    QList<ScenarioApplication> applications;
    // Remembered positions by the owner's bundle identifier (or name), then autosave name: the
    // distance in points from the right end of the movable items.
    RememberedPositions rememberedPositions;
    // Remembered positions of Zorv's own items by autosave name (BarItems' zorv...Name), in the
    // same units. Where rememberedPositions also names one of them under Zorv's own key, that
    // entry wins.
    QHash<QString, double> zorvPositions;
    // Zorv's own files on this Mac (settings, layout, profiles, rules) by file name, as the user
    // left them: written into Zorv's data folder before it starts, where no such file is yet.
    QMap<QString, QJsonValue> zorvFiles;
    // In time order (events at the same time keep the file's order).
    QList<ScenarioEvent> events;
    // Where Zorv's bundle runs from.
    ScenarioBundle bundle;
    // The update feed; absent: the bundle names none.
    std::optional<ScenarioUpdates> updates;

    static Scenario fromJson(const JsonValueRef &value);

    [[nodiscard]] const ScenarioApplication *application(const QString &ref) const;

    friend bool operator==(const Scenario &, const Scenario &) = default;
};

} // namespace zorv
