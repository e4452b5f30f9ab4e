#include "inputevent.h"
#include "scenario/scenarioloader.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <numeric>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

int itemCount(const Scenario &scenario) {
    return std::accumulate(
        scenario.applications.begin(), scenario.applications.end(), 0,
        [](int count, const auto &app) { return count + int(app.items.size()); });
}

TEST(ScenarioLoaderTest, ShippedScenariosLoad) {
    EXPECT_EQ(ScenarioLoader::shippedNames(),
              (QStringList{u"crowded-bar"_s, u"crowded-first-launch"_s, u"dual-displays"_s,
                           u"first-run"_s, u"laptop"_s, u"on-the-go"_s}));
    const struct {
        QString name;
        qsizetype screens;
        int items;
    } cases[] = {
        {u"laptop"_s, 1, 21},    {u"dual-displays"_s, 2, 13},        {u"crowded-bar"_s, 1, 40},
        {u"first-run"_s, 1, 20}, {u"crowded-first-launch"_s, 1, 44}, {u"on-the-go"_s, 1, 21}};
    for (const auto &[name, screens, items] : cases) {
        const Scenario scenario = ScenarioLoader::load(name);
        EXPECT_EQ(scenario.screens.size(), screens) << name.toStdString();
        EXPECT_EQ(itemCount(scenario), items) << name.toStdString();
        EXPECT_FALSE(scenario.events.isEmpty()) << name.toStdString();
    }

    const Scenario laptop = ScenarioLoader::load(ScenarioLoader::defaultName);
    EXPECT_GT(laptop.screens[0].cameraHousingWidth, 0.0);
    EXPECT_GE(laptop.applications.size(), 18);
    const ScenarioApplication *controlCenter = laptop.application(u"com.apple.controlcenter"_s);
    ASSERT_TRUE(controlCenter);
    EXPECT_TRUE(controlCenter->items[0].clock);
    EXPECT_EQ(laptop.zorvPositions.size(), 3);
    const Scenario firstRun = ScenarioLoader::load(u"first-run"_s);
    EXPECT_TRUE(firstRun.rememberedPositions.isEmpty());
    EXPECT_TRUE(firstRun.zorvPositions.isEmpty());
    EXPECT_EQ(ScenarioLoader::load(u"on-the-go"_s).zorvFiles.keys(),
              (QStringList{u"profiles.json"_s, u"triggers.json"_s}));
}

TEST(ScenarioLoaderTest, ReadsTheMacsContextEvents) {
    const Scenario scenario = ScenarioLoader::parse(R"({
        "name": "context",
        "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}}],
        "events": [
            {"at": 1, "do": "setPower", "percent": 18, "charging": false, "onBattery": true},
            {"at": 2, "do": "setPower", "percent": null, "charging": false, "onBattery": false},
            {"at": 3, "do": "setWifi", "network": "Office"},
            {"at": 4, "do": "setWifi", "network": null},
            {"at": 5, "do": "setLocation", "location": "allowed"},
            {"at": 6, "do": "setFocus", "focus": true},
            {"at": 7, "do": "setNotifications", "notifications": "denied"}
        ]})",
                                                    u"context"_s);
    using namespace scenarioaction;
    const QList<ScenarioAction> expected{SetPower{18, false, true},
                                         SetPower{std::nullopt, false, false},
                                         SetWifi{u"Office"_s},
                                         SetWifi{std::nullopt},
                                         SetLocation{LocationStatus::AuthorizedAlways},
                                         SetFocus{true},
                                         SetNotifications{NotificationAuthorization::Denied}};
    ASSERT_EQ(scenario.events.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(scenario.events[i].action == expected[i]) << i;
    }
}

TEST(ScenarioLoaderTest, ReadsDefaultsAndOrdersEventsByTime) {
    const Scenario scenario = ScenarioLoader::parse(R"({
        "name": "small",
        "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}},
                    {"name": "B", "frame": {"x": 800, "y": 0, "width": 1024, "height": 768}}],
        "applications": [
            {"bundleId": "com.example.a", "name": "A", "items": [{"autosaveName": "one"}]},
            {"id": "script", "name": "python3", "running": false}
        ],
        "events": [
            {"at": 20, "do": "setTitle", "app": "com.example.a", "item": "one", "title": "late"},
            {"at": 10, "do": "launch", "app": "script"},
            {"at": 10, "do": "setLength", "app": "com.example.a", "item": "one", "length": 30}
        ]})",
                                                    u"small.json"_s);
    ASSERT_EQ(scenario.screens.size(), 2);
    EXPECT_EQ(scenario.screens[1].displayId, 2u);
    EXPECT_EQ(scenario.screens[1].menuBarHeight, 24.0);

    const ScenarioApplication &a = scenario.applications[0];
    EXPECT_EQ(a.ref, u"com.example.a"_s);
    EXPECT_EQ(a.path, u"/Applications/A.app"_s);
    EXPECT_EQ(a.activationPolicy, ActivationPolicy::Accessory);
    EXPECT_EQ(a.items[0].length, -2.0);
    const ScenarioApplication &script = scenario.applications[1];
    EXPECT_FALSE(script.bundleIdentifier);
    EXPECT_TRUE(script.path.isEmpty());

    ASSERT_EQ(scenario.events.size(), 3);
    EXPECT_TRUE(std::holds_alternative<scenarioaction::Launch>(scenario.events[0].action));
    EXPECT_TRUE(std::holds_alternative<scenarioaction::SetLength>(scenario.events[1].action));
    EXPECT_EQ(scenario.events[2].at, seconds(20));
}

const QString kScreen =
    uR"({"name": "A", "frame": {"x": 0, "y": 0, "width": 800, "height": 600}})"_s;
const QString kApp = uR"({"bundleId": "com.example.a", "items": [{"autosaveName": "one"}]})"_s;

// A hand-written file that is wrong must say where: the file, the key path and the reason.
void expectRejected(const QString &text, const char *reason) {
    const QString message = u"bad.json: "_s + QString::fromUtf8(reason);
    try {
        (void)ScenarioLoader::parse(text.toUtf8(), u"bad.json"_s);
        ADD_FAILURE() << "accepted: " << text.toStdString();
    } catch (const ScenarioError &error) {
        EXPECT_TRUE(error.message().startsWith(message))
            << error.message().toStdString() << "\n  expected: " << message.toStdString();
    }
}

struct BadPart {
    const char *json;
    const char *reason;
};

// "@screen" stands for a valid screen, "@app" for an application with the item "one".
// Key presses hold their modifier keys, and typing keeps its text as written.
TEST(ScenarioLoaderTest, ReadsKeysWithModifiersAndTypedText) {
    const Scenario scenario = ScenarioLoader::parse(
        uR"({"name": "t", "screens": [%1], "events": [
            {"at": 1, "do": "input", "input": "key", "keyCode": 3, "modifiers": ["option", "command"]},
            {"at": 2, "do": "input", "input": "type", "text": "Drop Box!"}]})"_s.arg(kScreen)
            .toUtf8(),
        u"t.json"_s);
    ASSERT_EQ(scenario.events.size(), 2);
    const auto *key = std::get_if<scenarioaction::Input>(&scenario.events[0].action);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->keyCode, 3);
    EXPECT_EQ(key->modifiers, EventFlags::option | EventFlags::command);
    const auto *typed = std::get_if<scenarioaction::Input>(&scenario.events[1].action);
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->kind, scenarioaction::Input::Kind::Type);
    EXPECT_EQ(typed->text, u"Drop Box!"_s);
}

// Clicks and drags hold their modifier keys; a drag keeps both its ends.
TEST(ScenarioLoaderTest, ReadsClicksAndDragsWithModifiers) {
    using Kind = scenarioaction::Input::Kind;
    const Scenario scenario = ScenarioLoader::parse(
        uR"({"name": "t", "screens": [%1], "events": [
            {"at": 1, "do": "input", "input": "leftClick", "x": 10, "y": 12, "modifiers": ["option"]},
            {"at": 2, "do": "input", "input": "rightClick", "x": 20, "y": 5},
            {"at": 3, "do": "input", "input": "drag", "x": 300, "y": 12, "toX": 120.5, "toY": 40,
             "modifiers": ["command", "shift"]},
            {"at": 4, "do": "input", "input": "drag", "x": 1, "y": 2, "toX": 3, "toY": 4}]})"_s
            .arg(kScreen)
            .toUtf8(),
        u"t.json"_s);
    const scenarioaction::Input expected[] = {
        {Kind::LeftClick, {10, 12}, 0, EventFlags::option},
        {Kind::RightClick, {20, 5}, 0, EventFlags::none},
        {Kind::Drag, {300, 12}, 0, EventFlags::command | EventFlags::shift, {}, {120.5, 40}},
        {Kind::Drag, {1, 2}, 0, EventFlags::none, {}, {3, 4}},
    };
    ASSERT_EQ(scenario.events.size(), std::size(expected));
    for (qsizetype i = 0; i < scenario.events.size(); ++i) {
        const auto *input = std::get_if<scenarioaction::Input>(&scenario.events[i].action);
        ASSERT_NE(input, nullptr) << i;
        EXPECT_EQ(*input, expected[i]) << i;
    }
}

TEST(ScenarioLoaderTest, ReadsTheBundleAndTheUpdateFeed) {
    const Scenario plain = ScenarioLoader::parse(
        (u"{\"name\": \"t\", \"screens\": ["_s + kScreen + u"]}"_s).toUtf8(), u"t"_s);
    EXPECT_EQ(plain.bundle, ScenarioBundle{});
    EXPECT_FALSE(plain.updates);

    const Scenario scenario = ScenarioLoader::parse(
        (u"{\"name\": \"t\", \"screens\": ["_s + kScreen +
         uR"(], "bundle": {"path": "/Users/user/Downloads/Zorv.app", "translocated": true},
            "updates": {"feed": "http://127.0.0.1:8/appcast.xml", "outcome": "feedError",
                        "canCheck": false, "automaticChecks": false}})"_s)
            .toUtf8(),
        u"t"_s);
    EXPECT_EQ(scenario.bundle, (ScenarioBundle{u"/Users/user/Downloads/Zorv.app"_s, true}));
    EXPECT_EQ(scenario.updates, (ScenarioUpdates{u"http://127.0.0.1:8/appcast.xml"_s,
                                                 SimUpdater::Outcome::FeedError, false, false}));
    EXPECT_EQ(ScenarioUpdates{u"/tmp/feeds/appcast.xml"_s}.feedUrl(),
              u"file:///tmp/feeds/appcast.xml"_s);
}

TEST(ScenarioLoaderTest, BadFilesFailWithTheKeyPath) {
    const BadPart cases[] = {
        {"{", "$: "},
        {R"({"name": "t"})", "$.screens: "},
        {R"({"name": "t", "screens": []})", "$.screens: A scenario needs at least one screen."},
        {R"({"name": "t", "screens": [@screen], "colour": 1})", "$.colour: Unknown key"},
        {R"({"name": "t", "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": "wide", "height": 600}}]})",
         "$.screens[0].frame.width: "},
        // Sizes that would overflow the pixel sizes drawn from them.
        {R"({"name": "t", "screens": [{"name": "A", "frame": {"x": 0, "y": 0, "width": 1e300, "height": 600}}]})",
         "$.screens[0].frame.width: Expected a number from 1 to 16384."},
        {R"({"name": "t", "screens": [@screen, {"name": "B", "frame": {"x": -1e12, "y": 0, "width": 800, "height": 600}}]})",
         "$.screens[1].frame.x: Expected a number from"},
        {R"({"name": "t", "screens": [{"name": "A", "scale": 1e300, "frame": {"x": 0, "y": 0, "width": 800, "height": 600}}]})",
         "$.screens[0].scale: Expected a number from 1 to 4."},
        {R"({"name": "t", "screens": [{"name": "A", "frame": {"x": 10, "y": 0, "width": 800, "height": 600}}]})",
         "$.screens[0].frame: The first screen is the primary one"},
        {R"({"name": "t", "screens": [@screen, {"name": "B", "frame": {"x": 700, "y": 0, "width": 800, "height": 600}}]})",
         "$.screens[1]: The screen overlaps \"A\"."},
        {R"({"name": "t", "screens": [@screen], "applications": [{"bundleId": "x", "items": [{"length": "wide"}]}]})",
         "$.applications[0].items[0].length: Expected one of \"square\", \"variable\"."},
        {R"({"name": "t", "screens": [@screen], "applications": [{"bundleId": "x", "icon": {"color": "red"}}]})",
         "$.applications[0].icon.color: Expected a colour"},
        {R"({"name": "t", "screens": [@screen], "applications": [{"bundleId": "x", "frontmost": true}]})",
         "$.applications[0].frontmost: Only a running application with the regular policy"},
        {R"({"name": "t", "screens": [@screen], "applications": [@app, @app]})",
         "$.applications[1]: Another application is also named \"com.example.a\""},
        {R"({"name": "t", "screens": [@screen], "applications": [{"name": "x", "installed": true}]})",
         "$.applications[0]: An installed application needs a \"bundleId\"."},
        {R"({"name": "t", "screens": [@screen], "activeDisplay": 2})",
         "$.activeDisplay: No display 2 is declared."},
        {R"({"name": "t", "screens": [@screen], "zorvPositions": {"zorv-icon": 0}})",
         "$.zorvPositions[\"zorv-icon\"]: Unknown key"},
        {R"({"name": "t", "screens": [@screen], "zorvPositions": {"zorv-icon-v2": -1}})",
         "$.zorvPositions[\"zorv-icon-v2\"]: Expected a number of at least 0."},
        // A scenario writes only Zorv's store files, and only JSON documents.
        {R"({"name": "t", "screens": [@screen], "zorvFiles": {"../evil.json": {}}})",
         "$.zorvFiles[\"../evil.json\"]: Unknown key"},
        {R"({"name": "t", "screens": [@screen], "zorvFiles": {"triggers.json": "rules"}})",
         "$.zorvFiles[\"triggers.json\"]: Expected the file's JSON object or array."},
        {R"({"name": "t", "screens": [@screen], "bundle": {"path": "Downloads/Zorv.app"}})",
         "$.bundle.path: Expected an absolute Mac path"},
        {R"({"name": "t", "screens": [@screen], "bundle": {"path": "/Applications/../Zorv.app"}})",
         "$.bundle.path: Expected an absolute Mac path"},
        {R"({"name": "t", "screens": [@screen], "updates": {"feed": "a.xml", "outcome": "maybe"}})",
         "$.updates.outcome: Expected one of \"decide\""},
        {R"({"name": "t", "screens": [@screen], "updates": {"outcome": "found"}})",
         "$.updates.feed: "},
    };
    for (const auto &[json, reason] : cases) {
        expectRejected(
            QString::fromUtf8(json).replace(u"@screen"_s, kScreen).replace(u"@app"_s, kApp),
            reason);
    }
}

// The events of a file with one screen and the application "com.example.a" with the item "one".
TEST(ScenarioLoaderTest, BadEventsFailWithTheKeyPath) {
    const BadPart cases[] = {
        {R"({"at": 1, "do": "changeScreen", "display": 1, "frame": {"x": 0, "y": 0, "width": 800, "height": 1e9}})",
         "$.events[0].frame.height: Expected a number from 1 to 16384."},
        {R"({"at": -1, "do": "quit", "app": "com.example.a"})",
         "$.events[0].at: Expected a number of at least 0."},
        {R"({"at": 1, "do": "explode"})", "$.events[0].do: Expected one of"},
        {R"({"at": 1, "do": "quit", "app": "com.example.b"})",
         "$.events[0].app: No application \"com.example.b\" is declared."},
        {R"({"at": 1, "do": "quit", "app": "com.example.a", "item": "one"})",
         "$.events[0].item: Unknown key"},
        // The file lists the title change first, but it happens after the quit.
        {R"({"at": 9, "do": "setTitle", "app": "com.example.a", "item": "one", "title": "x"},
            {"at": 5, "do": "quit", "app": "com.example.a"})",
         "$.events[0].app: \"com.example.a\" is not running at that time."},
        {R"({"at": 1, "do": "removeItem", "app": "com.example.a", "item": "one"},
            {"at": 2, "do": "setLength", "app": "com.example.a", "item": "one", "length": 4})",
         "$.events[1].item: \"com.example.a\" has no item with the autosave name \"one\" at that "
         "time."},
        {R"({"at": 1, "do": "launch", "app": "com.example.a"})",
         "$.events[0].app: \"com.example.a\" is already running at that time."},
        {R"({"at": 1, "do": "removeScreen", "display": 1})",
         "$.events[0].display: The last display cannot be removed."},
        {R"({"at": 1, "do": "addScreen", "screen": {"name": "B", "frame": {"x": 800, "y": 0, "width": 10, "height": 10}}})",
         "$.events[0].screen: A screen added by an event needs a \"displayId\"."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 55, "x": 3})",
         "$.events[0]: A key press has no location."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 3, "modifiers": ["command", "hyper"]})",
         "$.events[0].modifiers[1]: Expected one of \"command\", \"option\", \"control\", \"shift\"."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 3, "modifiers": ["option", "option"]})",
         "$.events[0].modifiers[1]: This modifier key is already held."},
        {R"({"at": 1, "do": "input", "input": "mouseMove", "x": 1, "y": 1, "modifiers": ["shift"]})",
         "$.events[0].modifiers: Only a click, a drag or a key press holds modifier keys."},
        {R"({"at": 1, "do": "input", "input": "type", "text": "a", "modifiers": ["shift"]})",
         "$.events[0].modifiers: Only a click, a drag or a key press holds modifier keys."},
        {R"({"at": 1, "do": "input", "input": "rightClick", "x": 1, "y": 1, "modifiers": ["fn"]})",
         "$.events[0].modifiers[0]: Expected one of \"command\""},
        {R"({"at": 1, "do": "input", "input": "drag", "x": 1, "y": 1, "toX": 5})",
         "$.events[0].toY: The required key is missing."},
        {R"({"at": 1, "do": "input", "input": "drag", "toX": 5, "toY": 5})",
         "$.events[0].x: The required key is missing."},
        {R"({"at": 1, "do": "input", "input": "drag", "x": 1, "y": 1, "toX": "far", "toY": 5})",
         "$.events[0].toX: "},
        {R"({"at": 1, "do": "input", "input": "drag", "x": 1, "y": 1, "toX": 5, "toY": 5, "modifiers": ["command", "command"]})",
         "$.events[0].modifiers[1]: This modifier key is already held."},
        {R"({"at": 1, "do": "input", "input": "leftClick", "x": 1, "y": 1, "toX": 5, "toY": 5})",
         "$.events[0].toX: Only a drag has an end point."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 3, "toY": 5})",
         "$.events[0].toY: Only a drag has an end point."},
        {R"({"at": 1, "do": "input", "input": "drag", "x": 1, "y": 1, "toX": 5, "toY": 5, "keyCode": 3})",
         "$.events[0].keyCode: Only a key press has a key code."},
        {R"({"at": 1, "do": "input", "input": "type", "text": ""})",
         "$.events[0].text: Type 1 to 1000 characters."},
        {R"({"at": 1, "do": "input", "input": "type", "text": "caf\u00e9"})",
         "$.events[0].text: \"\u00e9\" is not on the keyboard."},
        {R"({"at": 1, "do": "input", "input": "type", "text": "a", "keyCode": 3})",
         "$.events[0].keyCode: Typing names its text, not a key code."},
        {R"({"at": 1, "do": "input", "input": "scroll", "x": 1, "y": 1, "direction": "left"})",
         "$.events[0].direction: Expected one of \"up\", \"down\"."},
        {R"({"at": 1, "do": "input", "input": "scroll", "x": 1, "y": 1, "amount": 0})",
         "$.events[0].amount: "},
        {R"({"at": 1, "do": "input", "input": "scroll", "x": 1, "y": 1, "amount": 101})",
         "$.events[0].amount: "},
        {R"({"at": 1, "do": "input", "input": "scroll", "x": 1, "y": 1, "amount": 1.5})",
         "$.events[0].amount: "},
        {R"({"at": 1, "do": "input", "input": "leftClick", "x": 1, "y": 1, "amount": 2})",
         "$.events[0].amount: Only a scroll has a direction and an amount."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 3, "direction": "up"})",
         "$.events[0].direction: Only a scroll has a direction and an amount."},
        {R"({"at": 1, "do": "input", "input": "modifierDown"})",
         "$.events[0].modifier: The required key is missing."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "fn"})",
         "$.events[0].modifier: Expected one of \"command\""},
        {R"({"at": 1, "do": "input", "input": "modifierUp", "modifier": "option", "x": 1, "y": 1})",
         "$.events[0]: A key press has no location."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "option", "keyCode": 58})",
         "$.events[0].keyCode: A modifier key is named by \"modifier\", not by a key code."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "option", "modifiers": ["shift"]})",
         "$.events[0].modifiers: Only a click, a drag or a key press holds modifier keys."},
        {R"({"at": 1, "do": "input", "input": "key", "keyCode": 3, "modifier": "option"})",
         "$.events[0].modifier: Only \"modifierDown\" and \"modifierUp\" name a \"modifier\"."},
        // The file lists the release first, but the press comes before it.
        {R"({"at": 5, "do": "input", "input": "modifierUp", "modifier": "option"},
            {"at": 2, "do": "input", "input": "modifierDown", "modifier": "option"},
            {"at": 3, "do": "input", "input": "modifierDown", "modifier": "option"})",
         "$.events[2].modifier: This modifier key is already held at that time."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "shift"},
            {"at": 2, "do": "input", "input": "modifierUp", "modifier": "option"})",
         "$.events[1].modifier: This modifier key is not held at that time."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "shift"},
            {"at": 2, "do": "input", "input": "type", "text": "a"})",
         "$.events[1].input: Typing and scrolling hold no modifier keys, and one is held on its "
         "own at that time."},
        {R"({"at": 1, "do": "input", "input": "modifierDown", "modifier": "option"},
            {"at": 2, "do": "input", "input": "modifierUp", "modifier": "option"},
            {"at": 2, "do": "input", "input": "modifierDown", "modifier": "command"},
            {"at": 3, "do": "input", "input": "scroll", "x": 1, "y": 1})",
         "$.events[3].input: Typing and scrolling hold no modifier keys, and one is held on its "
         "own at that time."},
        {R"({"at": 1, "do": "activate", "app": "com.example.a"})",
         "$.events[0].app: Only an application with the regular policy can be frontmost."},
        {R"({"at": 1, "do": "setHidden", "app": "com.example.a", "item": "two", "hidden": true})",
         "$.events[0].item: \"com.example.a\" has no item with the autosave name \"two\""},
        {R"({"at": 1, "do": "quit", "app": "com.example.a"},
            {"at": 2, "do": "setHung", "app": "com.example.a", "hung": false})",
         "$.events[1].app: \"com.example.a\" is not running at that time."},
        {R"({"at": 1, "do": "setDrag", "app": "com.example.a", "drag": "sometimes"})",
         "$.events[0].drag: Expected one of \"always\", \"slowGestureOnly\", \"never\"."},
        {R"({"at": 1, "do": "changeScreen", "display": 1})", "$.events[0]: Say what changes"},
        {R"({"at": 1, "do": "activateDisplay", "display": 2})",
         "$.events[0].display: No display 2 exists at that time."},
        {R"({"at": 1, "do": "setPreference", "key": "NSStatusItemSpacing", "value": [8]})",
         "$.events[0].value: Expected a number, a string or a bool."},
        {R"({"at": 1, "do": "setPower", "percent": 101, "charging": false, "onBattery": true})",
         "$.events[0].percent:"},
        {R"({"at": 1, "do": "setPower", "percent": 50, "onBattery": true})",
         "$.events[0].charging:"},
        {R"({"at": 1, "do": "setWifi"})", "$.events[0].network:"},
        {R"({"at": 1, "do": "setLocation", "location": "sometimes"})",
         "$.events[0].location: Expected one of"},
        {R"({"at": 1, "do": "setNotifications", "notifications": "loud"})",
         "$.events[0].notifications: Expected one of"},
    };
    for (const auto &[json, reason] : cases) {
        expectRejected(
            uR"({"name": "t", "screens": [%1], "applications": [%2], "events": [%3]})"_s.arg(
                kScreen, kApp, QString::fromUtf8(json)),
            reason);
    }
}

TEST(ScenarioLoaderTest, MissingFileNamesTheShippedScenarios) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"none.json"_s);
    try {
        (void)ScenarioLoader::load(path);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const ScenarioError &error) {
        EXPECT_TRUE(error.message().startsWith(path + u": cannot read the scenario"_s))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(u"laptop"_s));
    }
}

} // namespace
} // namespace zorv
