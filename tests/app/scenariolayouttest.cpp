#include "modelprofiles.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The application quits or launches 20 s into the scenario.
QJsonArray at20s(const QString &verb, const QString &app) {
    return {QJsonObject{{u"at"_s, 20.0}, {u"do"_s, verb}, {u"app"_s, app}}};
}

// One line per lane, for messages a reader can follow.
std::string text(const Lanes &lanes) {
    QString out;
    for (const Section lane : allSections) {
        out += u'\n' + rawValue(lane) + u':';
        for (const MenuBarItemID &id : lanes.value(lane)) {
            out += u' ' + id.bundleID.section(u'.', -1) + u'#' + QString::number(id.ordinal);
        }
    }
    return out.toStdString();
}

struct Session {
    SectionLayout stored;
    Lanes bar;
};

// Zorv on the scenario for `seconds`, then quit; what it kept, and the bar at its end.
Session session(const Scenario &scenario, double seconds) {
    SimulatedMac mac(scenario);
    EXPECT_TRUE(mac.app.start());
    mac.driver.run(zorv::seconds(seconds));
    const Session result{mac.engine().storedLayout(), mac.lanes()};
    EXPECT_EQ(mac.app.model()->layoutStore().value(), result.stored);
    EXPECT_EQ(mac.app.finish(), 0);
    return result;
}

// An application quit just before Zorv is keeps its item's place in the saved layout, and when it
// launches only after Zorv next time, its item, which the system puts at the bar's left end, is
// taken back to that place.
TEST(ScenarioLayoutTest, itemsOfApplicationsNotRunningKeepTheirPlaces) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    // The first session records where the system put every item.
    const SectionLayout remembered = session(reachableLaptop({}), 70.0).stored;
    const QList<MenuBarItemID> shown = remembered.ids(Section::shown);
    ASSERT_GE(shown.size(), 2);
    const QString away = shown.first().bundleID;

    const std::string wanted = text(remembered.sections);
    EXPECT_EQ(text(session(reachableLaptop(at20s(u"quit"_s, away)), 90.0).stored.sections), wanted);

    const Session next = session(reachableLaptop(at20s(u"launch"_s, away), {away}), 600.0);
    EXPECT_EQ(text(next.stored.sections), wanted);
    EXPECT_EQ(text(next.bar), wanted);
}

// A profile that takes the leftmost hidden item straight to the front of Shown keeps every lane's
// order as the bar shows it; only the item's lane differs, and a run brings that about at once.
TEST(ScenarioLayoutTest, aProfileThatOnlyMovesAnItemIntoTheNextLaneIsCarriedOut) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    mac.run(70);
    SectionLayout travel = mac.engine().storedLayout();
    QList<MenuBarItemID> hidden = mac.lanes().value(Section::hidden);
    ASSERT_FALSE(hidden.isEmpty());
    const MenuBarItemID moved = hidden.takeFirst();
    QList<MenuBarItemID> shown = travel.ids(Section::shown);
    shown.prepend(moved);
    QList<MenuBarItemID> wantedHidden = travel.ids(Section::hidden);
    wantedHidden.removeAll(moved);
    travel.sections.insert(Section::shown, shown);
    travel.sections.insert(Section::hidden, wantedHidden);
    travel = travel.normalized();

    const QUuid id = QUuid::createUuid();
    mac.app.model()->setProfiles(ProfileSet{{Profile{id, u"Travel"_s, travel, {}, {}}}, {}});
    const qsizetype linesBefore = reconcileLog().size();
    mac.app.model()->profileOps().switchToProfile(id);
    // At once, as for any layout handed over, not only once the next readings call it drift.
    mac.run(10);
    EXPECT_EQ(text(mac.lanes()), text(travel.sections));
    QStringList triggers;
    for (const QJsonObject &line : reconcileLog().mid(linesBefore)) {
        if (line.contains(u"passes"_s)) {
            triggers.append(line.value(u"trigger"_s).toString());
        }
    }
    EXPECT_EQ(triggers, QStringList{u"layout-applied"_s});
    mac.run(120);
    EXPECT_EQ(mac.engine().storedLayout(), travel);
    EXPECT_EQ(text(mac.lanes()), text(travel.sections));
    EXPECT_EQ(mac.app.finish(), 0);
}

// The crowded bar as the user's hands leave it: their own drags and key presses are left out.
QString crowdedBarWithoutHands(const QTemporaryDir &folder) {
    QJsonObject scenario = shippedScenario(u"crowded-bar"_s);
    QJsonArray events;
    for (const QJsonValue &event : scenario.value(u"events"_s).toArray()) {
        const QString verb = event.toObject().value(u"do"_s).toString();
        if (verb != u"input"_s && verb != u"dragItem"_s) {
            events.append(event);
        }
    }
    scenario.insert(u"events"_s, events);
    const QString path = folder.filePath(u"crowded-bar.json"_s);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(scenario).toJson());
    return path;
}

// On the crowded bar the user switches to Work, to Presenting (Fantastical, Tailscale and Raycast
// hidden, Creative Cloud shown) and back to Work from the status menu, the last while the run for
// Presenting is under way, and then chooses Work once more. Neither profile changes; Work is
// what the bar shows, but for items no drag can take into their lanes yet, which wait and say
// why; and "layout.json" holds Work at once, also after a relaunch on a Mac that keeps its items'
// positions.
TEST(ScenarioLayoutTest, switchingBackToAProfileFromTheStatusMenuBringsItBackWhole) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    const QTemporaryDir folder;
    SimOptions options;
    options.scenario = crowdedBarWithoutHands(folder);
    options.positionsPath = folder.filePath(u"positions.json"_s);

    ProfileSet profiles;
    SectionLayout work;
    // Every item on the bar stands in Work's lane, but for those no drag can take there yet
    // (under the menus, their lane out of reach), which say so.
    const auto expectWorksLanes = [&work](SimulatedMac &mac) {
        QHash<MenuBarItemID, MenuBarItem> scanned;
        for (const MenuBarItem &item : mac.engine().lastItems()) {
            scanned.insert(item.id, item);
        }
        const Lanes lanes = mac.lanes([](const BarEntry &, const MenuBarItem &) { return true; });
        for (const Section lane : allSections) {
            for (const MenuBarItemID &id : lanes.value(lane)) {
                const std::optional<Section> wanted = work.sectionOf(id);
                EXPECT_TRUE(!wanted || *wanted == lane || scanned.value(id).unplacedBecause)
                    << id.bundleID.toStdString() << text(lanes);
            }
        }
    };
    {
        SimulatedMac mac(DesktopApp::loadScenario(options), options);
        ASSERT_TRUE(mac.app.start());
        mac.run(400);
        const SectionLayout remembered = mac.engine().storedLayout();
        const QList<MenuBarItemID> three{idIn(remembered, u"com.example.fantastical"_s),
                                         idIn(remembered, u"io.tailscale.ipn.macos"_s),
                                         idIn(remembered, u"com.raycast.macos"_s)};
        const MenuBarItemID creativeCloud = idIn(remembered, u"com.adobe.acc.AdobeCreativeCloud"_s);
        work =
            movedTo(movedTo(remembered, three, Section::shown), {creativeCloud}, Section::hidden);
        const SectionLayout presenting =
            movedTo(movedTo(remembered, three, Section::hidden), {creativeCloud}, Section::shown);
        profiles.profiles = {Profile{QUuid::createUuid(), u"Work"_s, work, {}, {}},
                             Profile{QUuid::createUuid(), u"Presenting"_s, presenting, {}, {}}};
        mac.app.model()->setProfiles(profiles);
        mac.app.model()->persistProfiles();
        mac.run(50);

        for (const QString &name : {u"Work"_s, u"Presenting"_s, u"Work"_s}) {
            ASSERT_NO_FATAL_FAILURE(chooseProfile(mac, name));
            mac.run(4);
        }
        mac.run(600);
        profiles.activeID = profiles.profiles.first().id;
        EXPECT_EQ(mac.app.model()->profiles(), profiles);
        EXPECT_EQ(mac.app.model()->layoutStore().value(), work);
        expectWorksLanes(mac);

        ASSERT_NO_FATAL_FAILURE(chooseProfile(mac, u"Work"_s));
        mac.run(300);
        EXPECT_EQ(mac.app.model()->profiles(), profiles);
        EXPECT_EQ(mac.app.model()->layoutStore().value(), work);
        expectWorksLanes(mac);
        EXPECT_EQ(mac.app.finish(), 0);
        mac.app.waitForQuitWrites();
        mac.driver.drain();
    }
    SimulatedMac mac(DesktopApp::loadScenario(options), options);
    ASSERT_TRUE(mac.app.start());
    mac.run(300);
    EXPECT_EQ(mac.app.model()->profiles(), profiles);
    EXPECT_EQ(mac.app.model()->layoutStore().value(), work);
    expectWorksLanes(mac);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
