#include "featuremac.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class RecordingNotifier final : public Notifier {
public:
    explicit RecordingNotifier(std::shared_ptr<FeatureMac::Recorded> recorded)
        : m_recorded(std::move(recorded)) {}
    void post(const QString &text) override { m_recorded->notifications.append(text); }

private:
    std::shared_ptr<FeatureMac::Recorded> m_recorded;
};

class RecordingOverlay final : public AppearanceOverlayController {
public:
    explicit RecordingOverlay(std::shared_ptr<FeatureMac::Recorded> recorded)
        : m_recorded(std::move(recorded)) {}
    void apply(const Appearance &appearance) override { m_recorded->overlays.append(appearance); }

private:
    std::shared_ptr<FeatureMac::Recorded> m_recorded;
};

class IdleGestures final : public RevealGestures {
public:
    void update(bool, bool) override {}
};

class IdleMonitors final : public TriggerMonitors {
public:
    void setOnTick(TickHandler) override {}
    void start() override {}
};

class CountingRunner final : public AutomationRunner {
public:
    explicit CountingRunner(std::shared_ptr<FeatureMac::Recorded> recorded)
        : m_recorded(std::move(recorded)) {}
    void evaluate(const QList<TriggerRule> &, const TriggerContext &) override {
        ++m_recorded->evaluations;
    }

private:
    std::shared_ptr<FeatureMac::Recorded> m_recorded;
};

AppDescription thisProcess() {
    AppDescription description;
    description.bundleIdentifier = u"app.zorv.Zorv"_s;
    description.localizedName = u"Zorv"_s;
    return description;
}

} // namespace

MenuBarItem featureItem(const QString &bundleID, const QString &name, qint64 ordinal,
                        Section section, double x, std::optional<QString> axIdentifier) {
    return MenuBarItem{MenuBarItemID{bundleID, std::move(axIdentifier), std::nullopt, ordinal},
                       100,
                       name,
                       QRectF(x, 0, 22, 24),
                       std::nullopt,
                       std::nullopt,
                       section,
                       false,
                       false,
                       false};
}

FeatureMac::FeatureMac(ManualClock &clock, SimCloud &cloud, const QString &name,
                       QList<MenuBarItem> items)
    : m_clock(clock), m_folderPath(m_folder.path()), m_name(name), m_items(std::move(items)),
      m_desktop(clock, thisProcess()), m_workspace(m_desktop.model()), m_cloudStore(cloud, name),
      m_recorded(std::make_shared<Recorded>()),
      m_notifier(std::make_unique<RecordingNotifier>(m_recorded)) {}

FeatureMac::~FeatureMac() = default;

AppModel &FeatureMac::build() {
    auto engine = std::make_unique<GatedEngine>(m_items, m_clock);
    m_engine = engine.get();
    AppModelServices services{m_clock,      m_log,         m_desktop.accessibility(),
                              m_workspace,  m_preferences, m_processes,
                              m_cloudStore, m_loginItems,  m_folderPath,
                              m_name};
    const auto recorded = m_recorded;
    AppModelShell shell{
        [](AppModel &) { return std::make_unique<IdleGestures>(); },
        [recorded] { return std::make_unique<RecordingOverlay>(recorded); },
        [](AppModel &) { return std::unique_ptr<SecondaryBarController>(); },
        [](TriggerMonitors::ChangeHandler) { return std::make_unique<IdleMonitors>(); },
        [recorded](AppModel &) { return std::make_unique<CountingRunner>(recorded); },
        *m_notifier};
    m_model = std::make_unique<AppModel>(std::move(engine), services, shell);
    QObject::connect(m_model.get(), &AppModel::shortcutsChanged,
                     [recorded] { ++recorded->shortcutChanges; });
    return *m_model;
}

AppModel &FeatureMac::started() {
    if (!m_model) {
        build();
    }
    auto startup = m_model->start();
    m_clock.advance(seconds(1));
    m_clock.settle();
    return *m_model;
}

} // namespace zorv
