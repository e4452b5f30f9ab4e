#pragma once

#include "itempositionsmodel.h"
#include "screenlistmodel.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class ClassicEngine;
class SimulatedPlatform;

// What the desktop window shows of the simulated Mac: the scenario, the simulated time, the
// frontmost application, the screens with their bars and the items' positions, and, once an
// engine runs, the section it puts each item in, whether the hidden sections are revealed and
// why hiding is blocked. Refreshed after every change of the bars or screens (and of the
// engine's items); refreshed() then says the window is about to look different.
class DesktopViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")
    Q_PROPERTY(QString scenarioName READ scenarioName CONSTANT)
    Q_PROPERTY(QString scenarioDescription READ scenarioDescription CONSTANT)
    Q_PROPERTY(QString simulatedTime READ simulatedTime NOTIFY refreshed)
    Q_PROPERTY(QString frontmostApplication READ frontmostApplication NOTIFY refreshed)
    Q_PROPERTY(zorv::ScreenListModel *screens READ screens CONSTANT)
    Q_PROPERTY(zorv::ItemPositionsModel *positions READ positions CONSTANT)
    Q_PROPERTY(bool engineRunning READ engineRunning NOTIFY refreshed)
    Q_PROPERTY(bool revealed READ revealed NOTIFY refreshed)
    Q_PROPERTY(QString hidingBlocked READ hidingBlocked NOTIFY refreshed)

public:
    explicit DesktopViewModel(SimulatedPlatform &platform, QObject *parent = nullptr);

    [[nodiscard]] QString scenarioName() const;
    [[nodiscard]] QString scenarioDescription() const;
    // "Tue 1 Dec 2026 9:42:10 UTC, 42:10 into the scenario".
    [[nodiscard]] QString simulatedTime() const { return m_simulatedTime; }
    [[nodiscard]] QString frontmostApplication() const { return m_frontmostApplication; }
    [[nodiscard]] ScreenListModel *screens() { return &m_screens; }
    [[nodiscard]] ItemPositionsModel *positions() { return &m_positions; }
    [[nodiscard]] bool engineRunning() const { return m_engine != nullptr; }
    [[nodiscard]] bool revealed() const { return m_revealed; }
    // The headline of the reason hiding is blocked; empty while hiding works.
    [[nodiscard]] QString hidingBlocked() const { return m_hidingBlocked; }

    // The engine whose view of the bar to show; it must outlive this model or be reset first.
    void setEngine(ClassicEngine *engine);

    // Reads the desktop again.
    void refresh();

Q_SIGNALS:
    void refreshed();
    // After a refresh that found the screens or bars different from the last one.
    void barsChanged();

private:
    SimulatedPlatform &m_platform;
    ScreenListModel m_screens;
    ItemPositionsModel m_positions;
    QString m_simulatedTime;
    QString m_frontmostApplication;
    DesktopSnapshot m_lastSnapshot;
    ClassicEngine *m_engine = nullptr;
    bool m_revealed = false;
    QString m_hidingBlocked;
};

} // namespace zorv
