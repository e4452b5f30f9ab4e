#include "modelprofiles.h"
#include "scenariomac.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

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

} // namespace
} // namespace zorv
