#pragma once

#include "scenario.h"
#include "scenariotimeline.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace zorv {

class SimCloud;
class SimCloudKeyValueStore;
class SimGlobalPreferences;
class SimWorkspace;
class SimulatedDesktop;

// Applies a scenario to a simulated desktop through its script API: the Mac as the scenario
// describes it at the start, then one timed event at a time. Knows which process runs each of the
// scenario's applications and which display each scenario display id became. Timing is the
// runner's business (ScenarioRunner). Other Macs on the iCloud account `cloud` write there as
// the scenario's events say. Main thread.
class ScenarioPlayer {
public:
    ScenarioPlayer(const Scenario &scenario, SimulatedDesktop &desktop, SimWorkspace &workspace,
                   SimGlobalPreferences &preferences, SimCloud &cloud);
    // The player keeps the scenario by reference: it must outlive the player.
    ScenarioPlayer(Scenario &&, SimulatedDesktop &, SimWorkspace &, SimGlobalPreferences &,
                   SimCloud &) = delete;
    ~ScenarioPlayer();

    // Screens and the active one, settings, permissions, preferences, remembered positions,
    // installed applications, then the running ones in launch order with their items, and the
    // frontmost one.
    void setUp();
    // Applies one event; a message when it had no effect on the desktop (an item that was not
    // visible could not be dragged, Zorv had no icon to move), else nothing.
    std::optional<QString> apply(const ScenarioAction &action);
    // Shows the wall time on every clock item.
    void updateClocks(const QDateTime &wallTime);

    [[nodiscard]] std::optional<qint32> processId(const QString &app) const;
    [[nodiscard]] std::optional<quint64> itemId(const QString &app, const QString &item) const;
    // The desktop's display for a scenario display id.
    [[nodiscard]] std::optional<DisplayId> displayId(DisplayId scenarioDisplay) const;

private:
    void launch(const ScenarioApplication &app);
    void addItem(qint32 processId, const ScenarioItem &item);
    void addScreen(const ScreenRecord &screen);
    void applyInput(const scenarioaction::Input &input);
    // A modifier key going down or up on its own.
    void applyModifierKey(const scenarioaction::Input &input);
    // Each applies the events of its kind and says whether the action was one of them.
    bool applyToItem(const ScenarioAction &action);
    bool applyToApplication(const ScenarioAction &action);
    bool applyToScreen(const ScenarioAction &action);
    // Events that can miss: a message when it had no effect.
    std::optional<QString> applyToBar(const ScenarioAction &action);
    // Power, Wi-Fi, Location, Focus, notification permission and other Macs' iCloud changes:
    // never miss.
    void applyToContext(const ScenarioAction &action);
    // The Mac of that name on the iCloud account, joining it at its first change.
    SimCloudKeyValueStore &otherMac(const QString &name);

    const Scenario &m_scenario;
    SimulatedDesktop &m_desktop;
    SimWorkspace &m_workspace;
    SimGlobalPreferences &m_preferences;
    SimCloud &m_cloud;
    std::map<QString, std::unique_ptr<SimCloudKeyValueStore>> m_otherMacs;
    ScenarioTimeline m_timeline;
    QHash<QString, qint32> m_processIds;
    QHash<DisplayId, DisplayId> m_displays;
    QSet<quint64> m_clockItems;
    // The modifier keys the scenario holds down on their own (event flags): every click, drag
    // and key press carries them.
    quint64 m_heldModifiers = 0;
};

} // namespace zorv
