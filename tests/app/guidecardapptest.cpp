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
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// How a pane's guide card is put away: with Escape or a click on its Done button.
enum class PutAway { escape, done };

const char *nameOf(PutAway way) {
    return way == PutAway::escape ? "Escape" : "Done";
}

void PrintTo(PutAway way, std::ostream *out) {
    *out << nameOf(way);
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
    GuideCardAppTest() : WholeAppTest(reachableLaptop({})) {}

    // Shows the pane of that rail row a moment, long enough for a first visit's card to come up.
    void visit(QQuickWindow *window, const QString &pane) {
        clickControl(window, u"rail-"_s + pane);
        run(1);
    }
    // Goes to another pane and back, as a user looking at the pane again would.
    void reopenGeneral(QQuickWindow *window) {
        visit(window, u"search"_s);
        if (window->property("guideShown").toBool()) {
            clickControl(window, u"guideDone"_s);
        }
        visit(window, u"general"_s);
    }
};

class GuideCardPutAwayTest : public GuideCardAppTest,
                             public ::testing::WithParamInterface<PutAway> {};

// Escape is the card's Done: either puts the card away (not the window) and counts the guide as
// seen, so it stays away from then on.
TEST_P(GuideCardPutAwayTest, CountsTheGuideAsSeen) {
    launch(tourDoneSettings);
    QQuickWindow *window = openSettingsFromStatusMenu();
    ASSERT_NE(window, nullptr);
    run(1);
    ASSERT_TRUE(window->property("guideShown").toBool());

    if (GetParam() == PutAway::escape) {
        press(KeyCode::escape);
    } else {
        clickControl(window, u"guideDone"_s);
    }
    EXPECT_FALSE(window->property("guideShown").toBool());
    EXPECT_TRUE(serverOf(window)->isVisible()) << "the card went, not the window";
    run(2);
    EXPECT_TRUE(seenInTheFile().contains(u"general"_s));
    reopenGeneral(window);
    EXPECT_FALSE(window->property("guideShown").toBool());
}

INSTANTIATE_TEST_SUITE_P(Ways, GuideCardPutAwayTest,
                         ::testing::Values(PutAway::escape, PutAway::done),
                         [](const auto &info) { return std::string(nameOf(info.param)); });

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
