#include "scenariomac.h"

#include "enginesections.h"
#include "jsonwriter.h"
#include "scenario/scenarioloader.h"
#include "statusitembutton.h"
#include "storage/storevalue.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv {

SimulatedMac::SimulatedMac(const Scenario &scenario, SimOptions options)
    : clock(*scenario.start), platform(clock, scenario, false), app(platform, std::move(options)),
      driver(clock) {}

void SimulatedMac::run(double seconds, const std::function<void()> &each) {
    const auto until = clock.now() + zorv::seconds(seconds);
    while (clock.now() < until) {
        driver.run(zorv::seconds(1));
        if (each) {
            each();
        }
    }
}

Lanes SimulatedMac::lanes(const std::function<bool(const BarEntry &, const MenuBarItem &)> &keep) {
    const QList<BarEntry> bar = platform.desktop().readout().bar();
    const QHash<quint64, MenuBarItem> matched = EngineSections::items(bar, engine().lastItems());
    Lanes result;
    Section lane = Section::alwaysHidden;
    for (const BarEntry &entry : bar) {
        if (entry.autosaveName == BarItems::zorvAlwaysHiddenSeparatorName) {
            lane = Section::hidden;
        } else if (entry.autosaveName == BarItems::zorvHiddenSeparatorName) {
            lane = Section::shown;
        }
        const auto item = matched.constFind(entry.itemId);
        if (item == matched.constEnd()) {
            continue;
        }
        if (keep ? keep(entry, *item) : engine().storedLayout().sectionOf(item->id).has_value()) {
            result[lane].append(item->id);
        }
    }
    return result;
}

QJsonObject shippedScenario(const QString &name) {
    QFile file(u":/zorv/scenarios/%1.json"_s.arg(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QJsonDocument::fromJson(file.readAll()).object();
}

Scenario parsedScenario(const QJsonObject &scenario, const QString &name) {
    return ScenarioLoader::parse(QJsonDocument(scenario).toJson(), name);
}

Scenario quietScenario(const QString &name) {
    QJsonObject scenario = shippedScenario(name);
    scenario.insert(u"events"_s, QJsonArray{});
    return parsedScenario(scenario, name);
}

Scenario reachableLaptop(const QJsonArray &events, const QStringList &later) {
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    QJsonArray screens = scenario.value(u"screens"_s).toArray();
    QJsonObject screen = screens.at(0).toObject();
    screen.remove(u"cameraHousingWidth"_s);
    screens.replace(0, screen);
    scenario.insert(u"screens"_s, screens);
    QJsonArray applications;
    for (const QJsonValue &value : scenario.value(u"applications"_s).toArray()) {
        QJsonObject application = value.toObject();
        application.remove(u"menusWidth"_s);
        application.remove(u"drag"_s);
        if (later.contains(application.value(u"bundleId"_s).toString())) {
            application.insert(u"running"_s, false);
        }
        applications.append(application);
    }
    scenario.insert(u"applications"_s, applications);
    scenario.insert(u"events"_s, events);
    return parsedScenario(scenario, u"laptop"_s);
}

Scenario oneItemMac() {
    constexpr auto json = R"({
        "name": "small",
        "start": "2026-12-01T09:00:00Z",
        "screens": [{"name": "Screen", "frame": {"x": 0, "y": 0, "width": 1440, "height": 900}}],
        "applications": [
            {"bundleId": "com.example.a", "name": "A", "items": [{"autosaveName": "a1"}]}
        ]
    })";
    return ScenarioLoader::parse(json, u"small"_s);
}

Scenario laptopOfferingAnUpdate(const QString &folder) {
    QFile feed(QDir(folder).filePath(u"appcast.xml"_s));
    EXPECT_TRUE(feed.open(QIODevice::WriteOnly));
    feed.write("<rss version=\"2.0\" xmlns:u=\"urn:u\"><channel><item><title>Zorv 1.2</title>"
               "<description><![CDATA[<ul><li>Faster search</li></ul>]]></description>"
               "<u:version>12</u:version><u:shortVersionString>1.2</u:shortVersionString>"
               "</item></channel></rss>");
    feed.close();
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"updates"_s, QJsonObject{{u"feed"_s, feed.fileName()}});
    return parsedScenario(scenario, u"laptop with an update"_s);
}

void storeLayout(const SectionLayout &layout) {
    EXPECT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    EXPECT_TRUE(QDir().mkpath(ZorvPaths::root()));
    QFile file(ZorvPaths::file(u"layout.json"_s));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writeJson(toStoreJson(layout), JsonFormat::pretty()).value());
    file.close();
    markWelcomeTourDone();
}

void storeSettings(const QByteArray &settingsJson) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    QFile settings(ZorvPaths::file(u"settings.json"_s));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(settingsJson);
}

void markWelcomeTourDone() {
    EXPECT_TRUE(QDir().mkpath(ZorvPaths::root()));
    QFile file(ZorvPaths::file(u"settings.json"_s));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tourDoneSettings);
}

void click(SimulatedMac &mac, QPointF at) {
    mac.platform.desktop().userInput().moveMouse(at);
    mac.platform.desktop().userInput().click(at, MouseButton::Left);
    mac.driver.drain();
}

void chooseFromStatusMenu(SimulatedMac &mac, const QString &row) {
    click(mac, zorvIconCentre(mac.app, mac.platform));
    const std::optional<QPointF> centre = statusMenuRowCentre(mac.platform.desktop().menus(), row);
    ASSERT_TRUE(centre) << row.toStdString();
    click(mac, *centre);
}

QPointF zorvIconCentre(DesktopApp &app, SimulatedPlatform &platform) {
    StatusItemButton *icon = app.engine()->separatorController().icon().button();
    const std::optional<StatusItemWindow> window = icon ? icon->window() : std::nullopt;
    EXPECT_TRUE(window.has_value()) << "Zorv's icon has no window";
    if (!window) {
        return {};
    }
    // The window's frame is in the bottom-left convention of screens.
    const double top = platform.desktop().model().read(
        [](const DesktopState &state) { return state.primaryTop(); });
    return {window->frame.center().x(), top - window->frame.center().y()};
}

std::optional<QPointF> statusMenuRowCentre(const SimMenus &menus, const QString &title) {
    if (!menus.openMenu()) {
        return std::nullopt;
    }
    const QRectF frame = menus.frame();
    double top = frame.top() + SimMenus::verticalPadding;
    for (int index : menus.shownRows()) {
        const MenuItem &item = menus.openMenu()->items[index];
        const double height = SimMenus::heightOf(item);
        if (item.title == title) {
            return QPointF(frame.center().x(), top + height / 2);
        }
        top += height;
    }
    return std::nullopt;
}

namespace {

// The records of a JSON-lines log in Zorv's folder.
QList<QJsonObject> logLines(const QString &name) {
    QList<QJsonObject> lines;
    QFile file(ZorvPaths::file(name));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (!line.isEmpty()) {
                lines.append(QJsonDocument::fromJson(line).object());
            }
        }
    }
    return lines;
}

} // namespace

QList<QJsonObject> reconcileLog() {
    return logLines(u"reconcile-log.jsonl"_s);
}

QList<QJsonObject> eventsLog() {
    return logLines(u"events.jsonl"_s);
}

int eventsOfKind(const QString &kind) {
    const QList<QJsonObject> events = eventsLog();
    return int(std::count_if(events.cbegin(), events.cend(), [&kind](const QJsonObject &event) {
        return event.value(u"kind"_s) == kind;
    }));
}

MenuBarItemID idIn(const SectionLayout &layout, const QString &bundleID) {
    for (const Section lane : allSections) {
        for (const MenuBarItemID &id : layout.ids(lane)) {
            if (id.bundleID == bundleID) {
                return id;
            }
        }
    }
    ADD_FAILURE() << bundleID.toStdString() << " is not in the layout";
    return {};
}

SectionLayout movedTo(SectionLayout layout, const QList<MenuBarItemID> &ids, Section lane) {
    for (const Section section : allSections) {
        QList<MenuBarItemID> kept = layout.ids(section);
        kept.removeIf([&ids](const MenuBarItemID &id) { return ids.contains(id); });
        layout.sections.insert(section, kept);
    }
    layout.sections.insert(lane, ids + layout.ids(lane));
    return layout.normalized();
}

void chooseProfile(SimulatedMac &mac, const QString &name) {
    SimulatedDesktop &desktop = mac.platform.desktop();
    const QPointF icon = zorvIconCentre(mac.app, mac.platform);
    desktop.userInput().moveMouse(icon);
    desktop.userInput().click(icon);
    mac.driver.drain();
    ASSERT_TRUE(desktop.menus().userHovers(u"Profile"_s));
    mac.driver.drain();
    ASSERT_TRUE(desktop.menus().userChooses(name));
    mac.driver.drain();
}

} // namespace zorv
