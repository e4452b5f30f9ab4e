#pragma once

#include "model/screenrecord.h"
#include "scenarioapplication.h"
#include "scenarioevent.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Follows a scenario through its timed events: which applications run, which items each has, and
// which screens exist. The scenario reader runs it over the whole list to refuse events that
// cannot happen (quitting an application that is not running, naming an item that is gone); the
// runner keeps one to know which items an application creates when it is launched again.
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

    // The items the application has now, or creates when it is next launched.
    [[nodiscard]] QList<ScenarioItem> items(const QString &app) const;

private:
    struct AppState {
        bool running = false;
        QList<ScenarioItem> items;
    };

    [[nodiscard]] std::optional<Refusal> checkRunning(const QString &app) const;
    [[nodiscard]] std::optional<Refusal> checkItem(const QString &app, const QString &item) const;
    [[nodiscard]] std::optional<Refusal> checkDisplay(const QString &key, DisplayId display) const;
    [[nodiscard]] qsizetype itemIndex(const QString &app, const QString &item) const;

    QHash<QString, AppState> m_apps;
    QList<DisplayId> m_displays;
};

} // namespace zorv
