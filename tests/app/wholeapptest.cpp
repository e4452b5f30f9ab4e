#include "wholeapptest.h"

#include "appinput.h"
#include "scenario/scenarioloader.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"

using namespace Qt::StringLiterals;

namespace zorv {

WholeAppTest::WholeAppTest()
    : platform(clock, ScenarioLoader::load(ScenarioLoader::defaultName), false),
      app(platform, SimOptions{}), driver(clock) {}

WholeAppTest::WholeAppTest(const Scenario &scenario, const SimOptions &options)
    : clock(*scenario.start), platform(clock, scenario, false), app(platform, options),
      driver(clock) {}

SimOptions WholeAppTest::launchedWith(const QString &argument) {
    SimOptions options;
    options.launchArguments = {argument};
    return options;
}

void WholeAppTest::launch(const QByteArray &settingsJson, double settleSeconds) {
    ASSERT_NO_FATAL_FAILURE(storeSettings(settingsJson));
    ASSERT_TRUE(app.start());
    run(settleSeconds);
}

QString WholeAppTest::frontApplication() {
    const auto front = mac().applications().frontmostProcessId();
    const auto record = front ? mac().applications().application(*front) : std::nullopt;
    return record ? record->localizedName.value_or(QString()) : QString();
}

void WholeAppTest::click(QPointF global, MouseButton button) {
    mac().userInput().moveMouse(global);
    mac().userInput().click(global, button);
    drain();
}

void WholeAppTest::clickIcon(MouseButton button) {
    click(zorvIconCentre(app, platform), button);
}

QQuickWindow *WholeAppTest::openSettingsFromStatusMenu() {
    clickIcon();
    const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), u"Settings…"_s);
    if (!row) {
        ADD_FAILURE() << "no Settings row in the status menu";
        return nullptr;
    }
    click(*row);
    SettingsWindowController *settings = app.settingsWindow();
    return settings ? settings->window() : nullptr;
}

void WholeAppTest::press(quint16 keyCode, quint64 flags) {
    mac().userInput().pressKeyHolding(keyCode, flags);
    drain();
}

void WholeAppTest::type(const QString &text) {
    ASSERT_TRUE(mac().userInput().type(text));
    drain();
}

SimAppWindow *WholeAppTest::serverOf(const QWindow *window) {
    return zorv::serverOf(mac(), window);
}

std::optional<QPointF> WholeAppTest::pointOf(QQuickWindow *window, const QString &name,
                                             QPointF fraction) {
    return zorv::pointOf(mac(), window, name, fraction);
}

void WholeAppTest::clickControl(QQuickWindow *window, const QString &name) {
    const std::optional<QPointF> at = pointOf(window, name);
    ASSERT_TRUE(at);
    click(*at);
}

QQuickWindow *WholeAppTest::shownWindowWith(const QString &name) {
    return zorv::shownWindowWith(mac(), name);
}

} // namespace zorv
