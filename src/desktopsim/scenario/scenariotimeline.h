#pragma once

#include "model/screenrecord.h"
#include "scenarioapplication.h"
#include "scenarioevent.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Follows a scenario through its timed events: which applications run, which items each has, how
// each application behaves, which screens exist and which modifier keys are held on their own. The
// scenario reader runs it over the whole list to refuse events that cannot happen (quitting an
// application that is not running, naming an item that is gone); the runner keeps one to know what
// an application is like when it is launched again: the items it had when it quit, its drag
// behaviour and menus as last changed, and not hung.
class ScenarioTimeline {
public:
    // Why an action cannot happen, and under which key of the event.
    struct Refusal {
        QString key;
        QString reason;
    };

    ScenarioTimeline(const QList<ScenarioApplication> &applications,
                     const QList<ScreenRecord> &screens);

    // Applies the action, or says why it cannot happen (and then changes nothing).
    std::optional<Refusal> apply(const ScenarioAction &action);

    // The application as it is now, or as it is when next launched (with the items it creates
    // then); null for an undeclared one.
    [[nodiscard]] const ScenarioApplication *application(const QString &app) const;

private:
    [[nodiscard]] std::optional<Refusal> checkRunning(const QString &app) const;
    [[nodiscard]] std::optional<Refusal> checkItem(const QString &app, const QString &item) const;
    [[nodiscard]] std::optional<Refusal> checkDisplay(const QString &key, DisplayId display) const;
    [[nodiscard]] qsizetype itemIndex(const QString &app, const QString &item) const;

    [[nodiscard]] std::optional<Refusal> applyToApplication(const ScenarioAction &action);
    [[nodiscard]] std::optional<Refusal> applyToScreens(const ScenarioAction &action);
    [[nodiscard]] std::optional<Refusal> applyToKeys(const ScenarioAction &action);

    QHash<QString, ScenarioApplication> m_apps;
    QList<DisplayId> m_displays;
    // Event flags.
    quint64 m_heldModifiers = 0;
};

} // namespace zorv
