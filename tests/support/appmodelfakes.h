#pragma once

#include "appmodel/appmodelshell.h"
#include "triggers/triggerrule.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

namespace zorv {

// Recording stand-ins for the application shell's and the automation front end's controllers.
// Each appends its calls to a shared call log, so tests can check the order of start-up across
// the engine and the shell.
class FakeRevealGestures final : public RevealGestures {
public:
    explicit FakeRevealGestures(QStringList &log) : m_log(log) {}
    void update(bool hover, bool scroll) override {
        m_log.append(QStringLiteral("gestures.update(%1,%2)").arg(int(hover)).arg(int(scroll)));
    }

private:
    QStringList &m_log;
};

class FakeAppearanceOverlay final : public AppearanceOverlayController {
public:
    explicit FakeAppearanceOverlay(QStringList &log) : m_log(log) {}
    void apply(const Appearance &appearance) override {
        applied.append(appearance);
        m_log.append(QStringLiteral("overlay.apply"));
    }
    QList<Appearance> applied;

private:
    QStringList &m_log;
};

class FakeSecondaryBar final : public SecondaryBarController {
public:
    explicit FakeSecondaryBar(QStringList &log) : m_log(log) {}
    [[nodiscard]] bool isVisible() const override { return visible; }
    [[nodiscard]] bool includesAlwaysHidden() const override { return withAlwaysHidden; }
    void show(const QList<MenuBarItem> &items, const std::optional<QRectF> &,
              bool includeAlwaysHidden) override {
        withAlwaysHidden = includeAlwaysHidden;
        visible = true;
        shown.append(items);
        m_log.append(QStringLiteral("secondaryBar.show"));
    }
    void orderOut() override {
        visible = false;
        m_log.append(QStringLiteral("secondaryBar.orderOut"));
    }
    void removeDismissMonitors() override {
        m_log.append(QStringLiteral("secondaryBar.removeDismissMonitors"));
    }
    void writeState(const QList<MenuBarItem> &items) override {
        m_log.append(QStringLiteral("secondaryBar.writeState(%1)").arg(items.size()));
    }

    bool visible = false;
    bool withAlwaysHidden = false;
    // The item lists of every show(), oldest first.
    QList<QList<MenuBarItem>> shown;

private:
    QStringList &m_log;
};

class FakeTriggerMonitors final : public TriggerMonitors {
public:
    FakeTriggerMonitors(QStringList &log, ChangeHandler onChange)
        : m_log(log), m_onChange(std::move(onChange)) {
        m_log.append(QStringLiteral("monitors.create"));
    }
    void setOnTick(TickHandler handler) override { m_onTick = std::move(handler); }
    void start() override { m_log.append(QStringLiteral("monitors.start")); }

    void fireChange(const TriggerContext &context) const { m_onChange(context); }
    void fireTick() const {
        if (m_onTick) {
            m_onTick();
        }
    }

private:
    QStringList &m_log;
    ChangeHandler m_onChange;
    TickHandler m_onTick;
};

class FakeAutomationRunner final : public AutomationRunner {
public:
    explicit FakeAutomationRunner(QStringList &log) : m_log(log) {
        m_log.append(QStringLiteral("runner.create"));
    }
    void evaluate(const QList<TriggerRule> &rules, const TriggerContext &context) override {
        evaluations.append({rules, context});
        m_log.append(QStringLiteral("runner.evaluate"));
    }

    struct Evaluation {
        QList<TriggerRule> rules;
        TriggerContext context;
    };
    QList<Evaluation> evaluations;

private:
    QStringList &m_log;
};

class FakeNotifier final : public Notifier {
public:
    void post(const QString &text) override { posts.append(text); }
    QStringList posts;
};

// The fakes a model was given, reachable once it made them (null before).
struct ShellFakes {
    QStringList log;
    FakeNotifier notifier;
    FakeRevealGestures *gestures = nullptr;
    FakeAppearanceOverlay *overlay = nullptr;
    FakeSecondaryBar *secondaryBar = nullptr;
    FakeTriggerMonitors *monitors = nullptr;
    FakeAutomationRunner *runner = nullptr;

    // Factories that record into this object, which must outlive the model.
    AppModelShell shell() {
        return AppModelShell{
            [this](AppModel &) {
                auto made = std::make_unique<FakeRevealGestures>(log);
                gestures = made.get();
                return std::unique_ptr<RevealGestures>(std::move(made));
            },
            [this] {
                auto made = std::make_unique<FakeAppearanceOverlay>(log);
                overlay = made.get();
                return std::unique_ptr<AppearanceOverlayController>(std::move(made));
            },
            [this](AppModel &) {
                auto made = std::make_unique<FakeSecondaryBar>(log);
                secondaryBar = made.get();
                return std::unique_ptr<SecondaryBarController>(std::move(made));
            },
            [this](TriggerMonitors::ChangeHandler onChange) {
                auto made = std::make_unique<FakeTriggerMonitors>(log, std::move(onChange));
                monitors = made.get();
                return std::unique_ptr<TriggerMonitors>(std::move(made));
            },
            [this](AppModel &) {
                auto made = std::make_unique<FakeAutomationRunner>(log);
                runner = made.get();
                return std::unique_ptr<AutomationRunner>(std::move(made));
            },
            notifier,
        };
    }
};

} // namespace zorv
