#include "desktopdump.h"
#include "enginesections.h"
#include "modelprofiles.h"
#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString spotlight = u"com.apple.Spotlight"_s;
const QString onePassword = u"com.1password.1password"_s;

// The bar's entry of the first item of `bundleID`; a test failure when the bar holds none.
std::optional<BarEntry> entryOf(SimulatedDesktop &desktop, const QString &bundleID) {
    for (const BarEntry &entry : desktop.readout().bar()) {
        if (entry.bundleIdentifier == bundleID) {
            return entry;
        }
    }
    ADD_FAILURE() << bundleID.toStdString() << " has no item on the bar";
    return std::nullopt;
}

// The items the bar shows on a screen.
QSet<quint64> inView(SimulatedDesktop &desktop) {
    QSet<quint64> ids;
    for (const BarEntry &entry : desktop.readout().bar()) {
        if (entry.onScreen) {
            ids.insert(entry.itemId);
        }
    }
    return ids;
}

// Tucked as the user sees it: nothing of the hidden lanes on a screen, and hiding not blocked.
void expectTucked(SimulatedMac &mac) {
    EXPECT_FALSE(mac.engine().isRevealed());
    EXPECT_EQ(mac.engine().hidingBlocked(), std::nullopt);
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const QHash<quint64, Section> sections = EngineSections::of(bar, mac.engine().lastItems());
    for (const BarEntry &entry : bar) {
        if (sections.value(entry.itemId, Section::shown) != Section::shown) {
            EXPECT_FALSE(entry.onScreen)
                << entry.bundleIdentifier.value_or(QString()).toStdString();
        }
    }
}

// Hands over the layout the model shows with the item of `bundleID` moved into `lane`, as
// choosing a profile that holds it does.
void handOverWith(SimulatedMac &mac, const QString &bundleID, Section lane) {
    const SectionLayout current = mac.app.model()->profileOps().currentLayout();
    const MenuBarItemID id = idIn(current, bundleID);
    ASSERT_NE(current.sectionOf(id), lane);
    ProfileSet profiles;
    profiles.profiles = {
        Profile{QUuid::createUuid(), u"Desk"_s, movedTo(current, {id}, lane), {}, {}}};
    mac.app.model()->setProfiles(profiles);
    mac.app.model()->profileOps().switchToProfile(profiles.profiles.first().id);
    mac.driver.drain();
}

// Whether the bar, tucked or not, stands the item of `bundleID` in `lane` by the separators.
[[nodiscard]] bool standsIn(SimulatedMac &mac, const QString &bundleID, Section lane) {
    const QList<MenuBarItemID> ids = mac.lanes().value(lane);
    return std::any_of(ids.cbegin(), ids.cend(),
                       [&bundleID](const MenuBarItemID &id) { return id.bundleID == bundleID; });
}

// The laptop: the user opens Spotlight's menu and leaves it open, and a layout that brings
// 1Password into view is handed over five seconds later. The run it starts shows nothing while the
// menu is open: for a minute and a half the bar stands as it was under the menu, its hidden items
// out of sight. Once the user has closed the menu with Escape, the run brings 1Password into view
// and the bar ends tucked.
TEST(OpenMenuRunAppTest, ARunRevealsNothingUnderAMenuLeftOpenAndGoesOnOnceItCloses) {
    storeSettings(tourDoneSettings);
    SimulatedMac mac(quietScenario(u"laptop"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(25);
    SimulatedDesktop &desktop = mac.platform.desktop();
    const std::optional<BarEntry> item = entryOf(desktop, spotlight);
    ASSERT_TRUE(item && item->visible);
    click(mac, item->frame.center());
    const std::optional<OpenItemMenu> menu = desktop.readout().openItemMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->itemId, item->itemId);
    mac.run(5);
    expectTucked(mac);
    const QSet<quint64> inViewBefore = inView(desktop);

    ASSERT_NO_FATAL_FAILURE(handOverWith(mac, onePassword, Section::shown));
    mac.run(90, [&] {
        // The first second that finds the bar changed tells it all.
        if (::testing::Test::HasFailure()) {
            return;
        }
        EXPECT_EQ(desktop.readout().openItemMenu(), menu);
        EXPECT_FALSE(mac.engine().isRevealed());
        EXPECT_EQ(inView(desktop), inViewBefore);
    });
    EXPECT_TRUE(mac.engine().reconcileInFlight()) << "no run waits for the menu";
    EXPECT_FALSE(standsIn(mac, onePassword, Section::shown));

    desktop.userInput().pressKey(KeyCode::escape);
    mac.driver.drain();
    EXPECT_FALSE(desktop.readout().openItemMenu());
    mac.run(60);
    EXPECT_FALSE(mac.engine().reconcileInFlight());
    EXPECT_TRUE(standsIn(mac, onePassword, Section::shown));
    expectTucked(mac);
    EXPECT_EQ(mac.app.finish(), 0);
}

// Two displays, the status items on the wide one's bar: the user opens Spotlight's menu there
// and unplugs that display. The menu closes with it, so a layout that hides 1Password, handed over
// next, is brought about within a minute, not held back for a menu that no screen shows, and the
// bar ends tucked.
TEST(OpenMenuRunAppTest, AMenuGoneWithItsUnpluggedDisplayHoldsNoRunBack) {
    storeSettings(tourDoneSettings);
    SimulatedMac mac(quietScenario(u"dual-displays"_s));
    ASSERT_TRUE(mac.app.start());
    mac.run(60);
    SimulatedDesktop &desktop = mac.platform.desktop();
    constexpr DisplayId wide = 2;
    ASSERT_TRUE(desktop.arrangement().setMainScreen(wide));
    mac.run(60);
    const std::optional<BarEntry> item = entryOf(desktop, spotlight);
    ASSERT_TRUE(item && item->visible);
    ASSERT_EQ(item->displayId, wide);
    click(mac, item->frame.center());
    ASSERT_TRUE(desktop.readout().openItemMenu());
    mac.run(5);

    ASSERT_TRUE(desktop.arrangement().remove(wide));
    mac.driver.drain();
    EXPECT_FALSE(desktop.readout().openItemMenu());
    const QJsonArray closings =
        DesktopDump::toJson(mac.platform).value(u"itemMenuClosings"_s).toArray();
    EXPECT_EQ(closings.isEmpty() ? std::string()
                                 : closings.last()[u"why"_s].toString().toStdString(),
              "display removed");
    mac.run(5);

    ASSERT_NO_FATAL_FAILURE(handOverWith(mac, onePassword, Section::hidden));
    mac.run(60);
    EXPECT_FALSE(mac.engine().reconcileInFlight());
    EXPECT_TRUE(standsIn(mac, onePassword, Section::hidden));
    expectTucked(mac);
    EXPECT_EQ(mac.app.finish(), 0);
}

} // namespace
} // namespace zorv
