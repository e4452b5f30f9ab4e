#pragma once

#include "jsonreader.h"
#include "updates/simupdater.h"

#include <QString>

#include <optional>

namespace zorv {

// Where a scenario's Mac runs Zorv's bundle from: a Mac path, possibly translocated (run from a
// read-only copy while the original stays where it was downloaded).
struct ScenarioBundle {
    QString path = QStringLiteral("/Applications/Zorv.app");
    bool translocated = false;

    static ScenarioBundle fromJson(const JsonValueRef &value);

    friend bool operator==(const ScenarioBundle &, const ScenarioBundle &) = default;
};

// A scenario's update feed and what the updater decides after reading it.
struct ScenarioUpdates {
    // An http(s) address, or a file (relative paths are resolved against the scenario's folder by
    // ScenarioLoader::load).
    QString feed;
    SimUpdater::Outcome outcome = SimUpdater::Outcome::Decide;
    bool canCheck = true;
    bool automaticChecks = true;

    static ScenarioUpdates fromJson(const JsonValueRef &value);
    // The feed as the bundle's "SUFeedURL": a file becomes a file address.
    [[nodiscard]] QString feedUrl() const;

    friend bool operator==(const ScenarioUpdates &, const ScenarioUpdates &) = default;
};

} // namespace zorv
