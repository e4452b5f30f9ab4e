#include "scenario.h"

#include "jsonpath.h"
#include "scenariojson.h"
#include "scenarioscreen.h"
#include "scenariotimeline.h"
#include "script/baritems.h"

#include <QSet>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double maximumLayoutPassDelay = 10.0;

QList<ScreenRecord> screensFrom(const JsonArrayRef &array) {
    if (array.size() == 0) {
        array.fail(u"A scenario needs at least one screen."_s);
    }
    QList<ScreenRecord> screens;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const JsonValueRef value = array.at(i);
        ScreenRecord screen = ScenarioScreen::fromJson(value, static_cast<DisplayId>(i + 1));
        if (i == 0 && screen.frame.topLeft() != QPointF(0, 0)) {
            value.toObject().required(u"frame").fail(
                u"The first screen is the primary one: its frame starts at x 0, y 0."_s);
        }
        for (const ScreenRecord &other : std::as_const(screens)) {
            if (other.displayId == screen.displayId) {
                value.fail(u"Display id %1 is used twice."_s.arg(screen.displayId));
            }
            if (other.frame.intersects(screen.frame)) {
                value.fail(u"The screen overlaps \"%1\"."_s.arg(other.name));
            }
        }
        screens.append(screen);
    }
    return screens;
}

void checkApplication(const JsonValueRef &value, const ScenarioApplication &app,
                      const QList<ScenarioApplication> &earlier) {
    for (const ScenarioApplication &other : earlier) {
        if (other.ref == app.ref) {
            value.fail(
                u"Another application is also named \"%1\"; give one an \"id\"."_s.arg(app.ref));
        }
        if (app.bundleIdentifier && other.bundleIdentifier == app.bundleIdentifier) {
            value.fail(u"The bundle identifier \"%1\" is used twice."_s.arg(*app.bundleIdentifier));
        }
        if (app.frontmost && other.frontmost) {
            value.fail(u"\"%1\" is frontmost already."_s.arg(other.ref));
        }
    }
    QSet<QString> names;
    for (qsizetype i = 0; i < app.items.size(); ++i) {
        const QString &name = app.items[i].autosaveName;
        if (!name.isEmpty() && names.contains(name)) {
            value.toObject().required(u"items").toArray().at(i).fail(
                u"The autosave name \"%1\" is used twice."_s.arg(name));
        }
        names.insert(name);
    }
}

QList<ScenarioApplication> applicationsFrom(const JsonArrayRef &array) {
    QList<ScenarioApplication> apps;
    for (qsizetype i = 0; i < array.size(); ++i) {
        ScenarioApplication app = ScenarioApplication::fromJson(array.at(i));
        checkApplication(array.at(i), app, apps);
        apps.append(app);
    }
    return apps;
}

QVariantMap preferencesFrom(const JsonObjectRef &object) {
    QVariantMap preferences;
    for (const QString &key : object.keys()) {
        preferences.insert(key, scenariojson::toPreferenceValue(object.required(key)));
    }
    return preferences;
}

QHash<QString, double> zorvPositionsFrom(const JsonObjectRef &object) {
    const QStringList names{BarItems::zorvIconName, BarItems::zorvHiddenSeparatorName,
                            BarItems::zorvAlwaysHiddenSeparatorName};
    scenariojson::checkKeys(object, names);
    QHash<QString, double> positions;
    for (const QString &name : object.keys()) {
        positions.insert(name, scenariojson::toNumberAtLeast(object.required(name), 0.0));
    }
    return positions;
}

DisplayId activeDisplayFrom(const JsonValueRef &value, const QList<ScreenRecord> &screens) {
    const DisplayId display = scenariojson::toDisplayId(value);
    if (std::none_of(screens.cbegin(), screens.cend(),
                     [&](const ScreenRecord &screen) { return screen.displayId == display; })) {
        value.fail(u"No display %1 is declared."_s.arg(display));
    }
    return display;
}

// Reads the events, puts them in time order and plays them through a timeline, so an event
// that cannot happen at its time fails at its own path.
QList<ScenarioEvent> eventsFrom(const JsonArrayRef &array, const Scenario &scenario) {
    QList<ScenarioEvent> events;
    for (qsizetype i = 0; i < array.size(); ++i) {
        events.append(ScenarioEvent::fromJson(array.at(i)));
    }
    QList<qsizetype> order(events.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return events[a].at < events[b].at; });

    ScenarioTimeline timeline(scenario.applications, scenario.screens);
    QList<ScenarioEvent> sorted;
    for (const qsizetype index : std::as_const(order)) {
        if (auto refusal = timeline.apply(events[index].action)) {
            const JsonObjectRef event = array.at(index).toObject();
            event.required(refusal->key).fail(refusal->reason);
        }
        sorted.append(events[index]);
    }
    return sorted;
}

// Only the store files, by their bare names: a scenario writes nowhere else.
QMap<QString, QJsonValue> zorvFilesFrom(const JsonObjectRef &object) {
    scenariojson::checkKeys(
        object, {u"settings.json"_s, u"layout.json"_s, u"profiles.json"_s, u"triggers.json"_s});
    QMap<QString, QJsonValue> files;
    for (const QString &name : object.keys()) {
        const JsonValueRef content = object.required(name);
        if (!content.raw().isObject() && !content.raw().isArray()) {
            content.fail(u"Expected the file's JSON object or array."_s);
        }
        files.insert(name, content.raw());
    }
    return files;
}

} // namespace

Scenario Scenario::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    scenariojson::checkKeys(
        object, {u"name"_s, u"description"_s, u"start"_s, u"layoutPassDelay"_s, u"permissions"_s,
                 u"preferences"_s, u"screens"_s, u"activeDisplay"_s, u"applications"_s,
                 u"rememberedPositions"_s, u"zorvPositions"_s, u"events"_s, u"appearance"_s,
                 u"desktopPictures"_s, u"bundle"_s, u"updates"_s, u"zorvFiles"_s});
    Scenario scenario;
    scenario.name = object.required<QString>(u"name");
    scenario.description = object.optional<QString>(u"description").value_or(QString());
    if (auto start = object.optional(u"start")) {
        scenario.start = start->toIsoDate();
    }
    if (auto delay = object.optional(u"layoutPassDelay")) {
        const double delaySeconds = scenariojson::toNumberAtLeast(*delay, 0.0);
        if (delaySeconds > maximumLayoutPassDelay) {
            delay->fail(u"Expected at most %1 seconds."_s.arg(maximumLayoutPassDelay));
        }
        scenario.layoutPassDelay = seconds(delaySeconds);
    }
    if (auto permissions = object.optional(u"permissions")) {
        const JsonObjectRef granted = permissions->toObject();
        scenariojson::checkKeys(granted, {u"accessibility"_s, u"screenRecording"_s});
        scenario.accessibilityTrusted = granted.optional<bool>(u"accessibility").value_or(true);
        scenario.screenRecordingGranted = granted.optional<bool>(u"screenRecording").value_or(true);
    }
    if (auto appearance = object.optional(u"appearance")) {
        scenario.darkAppearance =
            scenariojson::toEnum<bool>(*appearance, {{u"light", false}, {u"dark", true}});
    }
    if (auto pictures = object.optional(u"desktopPictures")) {
        const JsonObjectRef byDisplay = pictures->toObject();
        for (const QString &key : byDisplay.keys()) {
            bool ok = false;
            const uint display = key.toUInt(&ok);
            if (!ok || display == 0) {
                byDisplay.required(key).fail(u"Keys are display ids, counted from 1."_s);
            }
            scenario.desktopPictures.insert(display, byDisplay.required<QString>(key));
        }
    }
    if (auto preferences = object.optional(u"preferences")) {
        scenario.preferences = preferencesFrom(preferences->toObject());
    }
    scenario.screens = screensFrom(object.required(u"screens").toArray());
    if (auto active = object.optional(u"activeDisplay")) {
        scenario.activeDisplay = activeDisplayFrom(*active, scenario.screens);
    }
    if (auto applications = object.optional(u"applications")) {
        scenario.applications = applicationsFrom(applications->toArray());
    }
    if (auto positions = object.optional(u"rememberedPositions")) {
        scenario.rememberedPositions = scenariojson::toPositions(*positions);
    }
    if (auto positions = object.optional(u"zorvPositions")) {
        scenario.zorvPositions = zorvPositionsFrom(positions->toObject());
    }
    if (auto files = object.optional(u"zorvFiles")) {
        scenario.zorvFiles = zorvFilesFrom(files->toObject());
    }
    if (auto events = object.optional(u"events")) {
        scenario.events = eventsFrom(events->toArray(), scenario);
    }
    if (auto bundle = object.optional(u"bundle")) {
        scenario.bundle = ScenarioBundle::fromJson(*bundle);
    }
    if (auto updates = object.optional(u"updates")) {
        scenario.updates = ScenarioUpdates::fromJson(*updates);
    }
    return scenario;
}

const ScenarioApplication *Scenario::application(const QString &ref) const {
    for (const ScenarioApplication &app : applications) {
        if (app.ref == ref) {
            return &app;
        }
    }
    return nullptr;
}

} // namespace zorv
