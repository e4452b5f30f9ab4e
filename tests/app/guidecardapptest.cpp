#include "appinput.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "storage/zorvpaths.h"
#include "wholeapptest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// How a pane's guide card is put away: with Escape or a click on its Done button.
enum class PutAway { escape, done };

// One way to meet a guide card and put it away: the General pane's on a Mac that granted the
// Accessibility permission, or the layout pane's on one that did not, with a layout stored long
// enough that a chip of the Hidden lane lies under the card's Done button.
struct PutAwayCase {
    const char *name;
    QString pane;
    PutAway way;
};

void PrintTo(const PutAwayCase &row, std::ostream *out) {
    *out << row.name;
}

// Fourteen items of the shipped laptop, all in the Hidden lane: enough to reach under the guide
// card's Done button.
SectionLayout longHiddenLane() {
    SectionLayout layout;
    for (const QString &bundle :
         {u"com.getdropbox.dropbox"_s, u"com.1password.1password"_s, u"com.docker.docker"_s,
          u"com.google.drivefs"_s, u"com.raycast.macos"_s, u"io.tailscale.ipn.macos"_s,
          u"com.adobe.acc.AdobeCreativeCloud"_s, u"com.knollsoft.Rectangle"_s,
          u"com.microsoft.teams2"_s, u"com.lwouis.alt-tab-macos"_s, u"us.zoom.xos"_s}) {
        layout.sections[Section::hidden].append({bundle, std::nullopt, std::nullopt, 0});
    }
    for (const qint64 ordinal : {0, 1, 2}) {
        layout.sections[Section::hidden].append(
            {u"com.bjango.istatmenus"_s, std::nullopt, std::nullopt, ordinal});
    }
    return layout;
}

// Whether a chip of the Hidden lane lies under the middle of the guide card's Done button.
bool chipUnderDone(QQuickWindow *window) {
    const QQuickItem *done = findIn(window->contentItem(), u"guideDone"_s);
    if (done == nullptr) {
        return false;
    }
    const QPointF centre = done->mapToScene(QPointF(done->width() / 2, done->height() / 2));
    for (int index = 0;
         const QQuickItem *chip = findIn(window->contentItem(), u"chip-hidden-%1"_s.arg(index));
         ++index) {
        if (chip->mapRectToScene(chip->boundingRect()).contains(centre)) {
            return true;
        }
    }
    return false;
}

Scenario laptopFor(const QString &pane) {
    if (pane != u"arrange"_s) {
        return reachableLaptop({});
    }
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"permissions"_s, QJsonObject{{u"accessibility"_s, false}});
    scenario.insert(u"events"_s, QJsonArray());
    return parsedScenario(scenario, u"laptop"_s);
}

// The names stored in a JSON array under `key` of one of Zorv's files, taking the `field` of
// each entry when it is an object.
QStringList storedList(const QString &file, const QString &key, const QString &field = {}) {
    QFile stored(QDir(ZorvPaths::root()).filePath(file));
    if (!stored.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList names;
    for (const QJsonValue &entry :
         QJsonDocument::fromJson(stored.readAll()).object().value(key).toArray()) {
        names.append(field.isEmpty() ? entry.toString() : entry[field].toString());
    }
    return names;
}

// The panes whose guides the settings file records as seen.
QStringList seenInTheFile() {
    return storedList(u"settings.json"_s, u"seenPaneGuides"_s);
}

// A pane's guide card, put away with the simulated Mac's keyboard or with its Done button.
class GuideCardAppTest : public WholeAppTest {
protected:
    explicit GuideCardAppTest(const Scenario &scenario = reachableLaptop({}))
        : WholeAppTest(scenario) {}

    // Shows the pane of that rail row a moment, long enough for a first visit's card to come up.
    void visit(QQuickWindow *window, const QString &pane) {
        clickControl(window, u"rail-"_s + pane);
        run(1);
    }
    // Goes to another pane and back, as a user looking at the pane again would.
    void reopen(QQuickWindow *window, const QString &pane) {
        visit(window, u"search"_s);
        if (window->property("guideShown").toBool()) {
            clickControl(window, u"guideDone"_s);
        }
        visit(window, pane);
    }
};

class GuideCardPutAwayTest : public GuideCardAppTest,
                             public ::testing::WithParamInterface<PutAwayCase> {
protected:
    GuideCardPutAwayTest() : GuideCardAppTest(laptopFor(GetParam().pane)) {}
};

// Escape is the card's Done: either puts the card away (not the window) and counts the guide as
// seen, so it stays away from then on, whatever lies behind the card.
TEST_P(GuideCardPutAwayTest, CountsTheGuideAsSeen) {
    const QString pane = GetParam().pane;
    if (pane == u"general"_s) {
        launch(tourDoneSettings);
    } else {
        storeLayout(longHiddenLane());
        ASSERT_TRUE(app.start());
        run(3);
    }
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    run(1);
    if (pane != u"general"_s) {
        clickControl(window, u"guideDone"_s);
        visit(window, pane);
    }
    ASSERT_TRUE(window->property("guideShown").toBool());
    ASSERT_TRUE(pane == u"general"_s || chipUnderDone(window));

    if (GetParam().way == PutAway::escape) {
        press(KeyCode::escape);
    } else {
        clickControl(window, u"guideDone"_s);
    }
    EXPECT_FALSE(window->property("guideShown").toBool());
    EXPECT_TRUE(serverOf(window)->isVisible()) << "the card went, not the window";
    run(2);
    EXPECT_TRUE(seenInTheFile().contains(pane));
    reopen(window, pane);
    EXPECT_FALSE(window->property("guideShown").toBool());
}

INSTANTIATE_TEST_SUITE_P(Ways, GuideCardPutAwayTest,
                         ::testing::Values(PutAwayCase{"Escape", u"general"_s, PutAway::escape},
                                           PutAwayCase{"Done", u"general"_s, PutAway::done},
                                           PutAwayCase{"LayoutDoneOverAChip", u"arrange"_s,
                                                       PutAway::done}),
                         [](const auto &info) { return std::string(info.param.name); });

// On a first launch, cards put away with Escape stay away: going back to the Profiles pane, the
// click in the name field and the typed name reach the pane and the profile is stored; the next
// launch reads both guides as seen.
TEST_F(GuideCardAppTest, CardsPutAwayWithEscapeLeaveThePaneTheNextVisits) {
    launch("{}");
    ASSERT_NE(app.onboarding(), nullptr) << "a first launch shows the welcome tour";
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    for (const QString &pane : {u"profiles"_s, u"appearance"_s}) {
        visit(window, pane);
        ASSERT_TRUE(window->property("guideShown").toBool()) << pane.toStdString();
        press(KeyCode::escape);
    }
    clickControl(window, u"tint"_s);
    run(1);

    visit(window, u"profiles"_s);
    EXPECT_FALSE(window->property("guideShown").toBool()) << "the card came back";
    clickControl(window, u"newName"_s);
    type(u"Home"_s);
    press(KeyCode::returnKey);
    run(2);
    EXPECT_EQ(storedList(u"profiles.json"_s, u"profiles"_s, u"name"_s), QStringList{u"Home"_s});
    const QStringList seen = seenInTheFile();
    EXPECT_TRUE(seen.contains(u"profiles"_s) && seen.contains(u"appearance"_s))
        << seen.join(u' ').toStdString();
}

} // namespace
} // namespace zorv
