#pragma once

#include "appmodelshell.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace zorv {

// Recording stand-ins for the application shell's and the automation front end's controllers.
// Each appends its calls to one shared log, so tests can check the order of start-up across the
// engine and the shell.
struct FakeRevealGestures final : RevealGestures {
    explicit FakeRevealGestures(QStringList &log) : log(log) {}
    void update(bool hover, bool scroll) override {
        log.append(QStringLiteral("gestures.update(%1,%2)").arg(int(hover)).arg(int(scroll)));
    }
    QStringList &log;
};

struct FakeAppearanceOverlay final : AppearanceOverlayController {
    explicit FakeAppearanceOverlay(QStringList &log) : log(log) {}
    void apply(const Appearance &appearance) override {
        applied.append(appearance);
        log.append(QStringLiteral("overlay.apply"));
    }
    QStringList &log;
    QList<Appearance> applied;
};

struct FakeSecondaryBar final : SecondaryBarController {
    explicit FakeSecondaryBar(QStringList &log) : log(log) {}
    [[nodiscard]] bool isVisible() const override { return visible; }
    [[nodiscard]] bool includesAlwaysHidden() const override { return withAlwaysHidden; }
    void show(const QList<MenuBarItem> &items, const std::optional<QRectF> &,
              bool includeAlwaysHidden) override {
        withAlwaysHidden = includeAlwaysHidden;
        visible = true;
        shown.append(items);
    }
    void hide() override {
        visible = false;
        log.append(QStringLiteral("secondaryBar.hide"));
    }
    QStringList &log;
    bool visible = false;
    bool withAlwaysHidden = false;
    // The item lists of every show(), oldest first.
    QList<QList<MenuBarItem>> shown;
};

struct FakeTriggerMonitors final : TriggerMonitors {
    FakeTriggerMonitors(QStringList &log, ChangeHandler onChange)
        : log(log), fireChange(std::move(onChange)) {
        log.append(QStringLiteral("monitors.create"));
    }
    void setOnTick(TickHandler handler) override { fireTick = std::move(handler); }
    void start() override { log.append(QStringLiteral("monitors.start")); }
    QStringList &log;
    // Call to play the monitors' reports.
    ChangeHandler fireChange;
    TickHandler fireTick;
};

struct FakeAutomationRunner final : AutomationRunner {
    explicit FakeAutomationRunner(QStringList &log) : log(log) {
        log.append(QStringLiteral("runner.create"));
    }
    void evaluate(const QList<TriggerRule> &, const TriggerContext &context) override {
        evaluations.append(context);
        log.append(QStringLiteral("runner.evaluate"));
    }
    QStringList &log;
    QList<TriggerContext> evaluations;
};

struct FakeNotifier final : Notifier {
    void post(const QString &text) override { posts.append(text); }
    QStringList posts;
};

// The fakes a model was given, each reachable once the model made it (null before).
struct ShellFakes {
    QStringList log;
    FakeNotifier notifier;
    FakeRevealGestures *gestures = nullptr;
    FakeAppearanceOverlay *overlay = nullptr;
    FakeSecondaryBar *secondaryBar = nullptr;
    FakeTriggerMonitors *monitors = nullptr;
    FakeAutomationRunner *runner = nullptr;

    // Factories recording into this object, which must outlive the model.
    AppModelShell shell() {
        return AppModelShell{
            [this](AppModel &) { return made(gestures, log); },
            [this] { return made(overlay, log); },
            [this](AppModel &) { return made(secondaryBar, log); },
            [this](TriggerMonitors::ChangeHandler onChange) {
                return made(monitors, log, std::move(onChange));
            },
            [this](AppModel &) { return made(runner, log); },
            notifier,
        };
    }

private:
    template <typename Fake, typename... Args>
    static std::unique_ptr<Fake> made(Fake *&kept, Args &&...args) {
        auto fake = std::make_unique<Fake>(std::forward<Args>(args)...);
        kept = fake.get();
        return fake;
    }
};

} // namespace zorv
