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

// A pane's guide card, put away with the simulated Mac's keyboard or with its Done button.
class GuideCardAppTest : public WholeAppTest {
protected:
    GuideCardAppTest() : WholeAppTest(reachableLaptop({})) {}

    // Opens Settings from the status menu; the General pane's card comes up a moment later.
    QQuickWindow *openSettings() {
        QQuickWindow *window = openSettingsFromStatusMenu();
        run(1);
        return window;
    }
    // Goes to another pane and back, as a user looking at the pane again would.
    void reopenGeneral(QQuickWindow *window) {
        clickControl(window, u"rail-search"_s);
        run(1);
        if (window->property("guideShown").toBool()) {
            clickControl(window, u"guideDone"_s);
        }
        clickControl(window, u"rail-general"_s);
        run(1);
    }
    // The panes whose guides the settings file records as seen.
    [[nodiscard]] static QStringList seenInTheFile() {
        QFile file(QDir(ZorvPaths::root()).filePath(u"settings.json"_s));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList seen;
        const QJsonArray panes =
            QJsonDocument::fromJson(file.readAll()).object().value(u"seenPaneGuides"_s).toArray();
        for (const QJsonValue &pane : panes) {
            seen.append(pane.toString());
        }
        return seen;
    }
};

// Escape puts the card away without counting the guide as seen, so it comes up again the next
// time the pane is shown; Done counts it, and it stays away from then on.
TEST_F(GuideCardAppTest, OnlyDoneCountsTheGuideAsSeen) {
    launch(tourDoneSettings);
    QQuickWindow *window = openSettings();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->property("guideShown").toBool());

    press(KeyCode::escape);
    EXPECT_FALSE(window->property("guideShown").toBool());
    EXPECT_TRUE(serverOf(window)->isVisible()) << "Escape closed the card, not the window";
    run(2);
    EXPECT_FALSE(seenInTheFile().contains(u"general"_s));
    reopenGeneral(window);
    ASSERT_TRUE(window->property("guideShown").toBool()) << "offered again";

    clickControl(window, u"guideDone"_s);
    EXPECT_FALSE(window->property("guideShown").toBool());
    run(2);
    EXPECT_TRUE(seenInTheFile().contains(u"general"_s));
    reopenGeneral(window);
    EXPECT_FALSE(window->property("guideShown").toBool());
}

} // namespace
} // namespace zorv
