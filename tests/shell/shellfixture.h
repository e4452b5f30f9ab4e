#pragma once

#include "appdelegate.h"
#include "appmodelharness.h"
#include "storage/atomicfile.h"
#include "storage/jsonstore.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace zorv {

// Records every window the shell opens, as lines in a shared call log.
class RecordingWindows final : public ShellWindows {
public:
    explicit RecordingWindows(QStringList &log) : m_log(log) {}

    void openSettings(std::optional<SettingsPane> pane) override {
        m_log.append(
            QStringLiteral("settings(%1)").arg(pane ? paneKey(*pane) : QStringLiteral("-")));
    }
    void showOnboarding() override { m_log.append(QStringLiteral("onboarding")); }
    void showAbout() override { m_log.append(QStringLiteral("about")); }
    void showReport(const std::optional<QString> &sentReportId) override {
        m_log.append(QStringLiteral("report(%1)").arg(sentReportId.value_or(QStringLiteral("-"))));
    }
    void showSearchPanel() override { m_log.append(QStringLiteral("search.show")); }
    void toggleSearchPanel() override { m_log.append(QStringLiteral("search.toggle")); }

private:
    QStringList &m_log;
};

// Zorv's shell over an app model on a simulated laptop, with its icon in the bar and another
// application in front; windows, the update driver and the move offer are recording fakes writing
// to `calls` (which the engine shares).
class ShellTest : public ::testing::Test {
protected:
    ShellTest() : harness(clock, cloud), windows(harness.fakes.log) {
        SimulatedDesktop &mac = harness.desktop();
        ScreenDescription screen;
        screen.name = QStringLiteral("Built-in Retina Display");
        mac.arrangement().add(screen);
        AppDescription editor;
        editor.bundleIdentifier = QStringLiteral("com.example.editor");
        editor.activationPolicy = ActivationPolicy::Regular;
        other = mac.applications().launch(editor);
        mac.applications().activate(other);
        icon = mac.statusBar().createStatusItem(StatusBar::squareLength);
        clock.settle();
    }

    ~ShellTest() override {
        shell.reset();
        harness.quit();
    }

    void store(const Settings &settings) {
        write(QStringLiteral("settings.json"), settings.toJson(DateForm::ReferenceSeconds));
    }
    void store(const ProfileSet &profiles) {
        write(QStringLiteral("profiles.json"), profiles.toJson());
    }
    void write(const QString &name, const QJsonValue &value) {
        ASSERT_FALSE(writeFileAtomically(harness.dataFolder() + u'/' + name,
                                         QJsonDocument(value.toObject()).toJson(),
                                         FileDurability::Unsynced));
    }
    // Onboarding done and the Accessibility permission granted: a launch that opens nothing.
    static Settings settled() {
        Settings settings;
        settings.onboardingCompleted = true;
        return settings;
    }

    // The model over what the data folder holds, and the shell over it (not launched yet).
    AppDelegate &build(const QStringList &arguments = {}) {
        // As the entry point does: the Dock presence is read before the model's stores exist.
        const bool showInDock =
            JSONStore<Settings>::peek(QStringLiteral("settings.json"), Settings{},
                                      harness.dataFolder(), harness.log)
                .showInDockAndSwitcher;
        AppModel &model = harness.build();
        SimulatedDesktop &mac = harness.desktop();
        ShellHooks hooks;
        hooks.iconButton = icon->button();
        hooks.forceShowEverything = [this] {
            calls.append(QStringLiteral("engine.forceShowEverything"));
        };
        hooks.setOnTuckRefused = [this](std::function<void()> callback) {
            tuckRefused = std::move(callback);
        };
        hooks.setOnIconReplaced = [this](std::function<void(StatusItemButton *)> callback) {
            iconReplaced = std::move(callback);
        };
        hooks.startUpdates = [this] { calls.append(QStringLiteral("updates.start")); };
        hooks.isInstalled = [this] { return installed; };
        hooks.showMoveOffer = [this](std::function<void()> onDismissed) {
            calls.append(QStringLiteral("moveOffer"));
            dismissMoveOffer = std::move(onDismissed);
        };
        hooks.version = QStringLiteral("1.4.2");
        hooks.canUpdate = [this] { return canUpdate; };
        shell = std::make_unique<AppDelegate>(
            model, windows,
            ShellPlatform{mac.application(), mac.menus(), mac.hotKeys(), mac.accessibility(),
                          harness.workspace(), harness.log, clock},
            std::move(hooks), LaunchArguments::parse(arguments), showInDock);
        return *shell;
    }

    // Builds and launches, running the launch task to its end.
    AppDelegate &launched(const QStringList &arguments = {}) {
        build(arguments);
        shell->applicationDidFinishLaunching();
        clock.settle();
        return *shell;
    }

    void clickIcon(MouseButton button = MouseButton::Left, quint64 flags = EventFlags::none) {
        const auto window = icon->button()->window();
        ASSERT_TRUE(window.has_value());
        const double top = harness.desktop().model().read(
            [](const DesktopState &state) { return state.primaryTop(); });
        const QPointF centre(window->frame.center().x(), top - window->frame.center().y());
        harness.desktop().userInput().click(centre, button, flags);
        clock.settle();
    }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness harness;
    QStringList &calls = harness.fakes.log;
    RecordingWindows windows;
    std::unique_ptr<StatusItem> icon;
    std::unique_ptr<AppDelegate> shell;
    std::function<void()> tuckRefused;
    std::function<void(StatusItemButton *)> iconReplaced;
    std::function<void()> dismissMoveOffer;
    bool installed = true;
    bool canUpdate = false;
    qint32 other = 0;
};

} // namespace zorv
