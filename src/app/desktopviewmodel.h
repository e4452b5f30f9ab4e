#pragma once

#include "itempositionsmodel.h"
#include "screenlistmodel.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class SimulatedPlatform;

// What the desktop window shows of the simulated Mac: the scenario, the simulated time, the
// frontmost application, the screens with their bars and the items' positions. Refreshed after
// every change of the bars or screens; refreshed() then says the window is about to look
// different.
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

public:
    explicit DesktopViewModel(SimulatedPlatform &platform, QObject *parent = nullptr);

    [[nodiscard]] QString scenarioName() const;
    [[nodiscard]] QString scenarioDescription() const;
    // "Tue 1 Dec 2026 9:42:10 UTC, 42:10 into the scenario".
    [[nodiscard]] QString simulatedTime() const { return m_simulatedTime; }
    [[nodiscard]] QString frontmostApplication() const { return m_frontmostApplication; }
    [[nodiscard]] ScreenListModel *screens() { return &m_screens; }
    [[nodiscard]] ItemPositionsModel *positions() { return &m_positions; }

    // Reads the desktop again.
    void refresh();

Q_SIGNALS:
    void refreshed();

private:
    SimulatedPlatform &m_platform;
    ScreenListModel m_screens;
    ItemPositionsModel m_positions;
    QString m_simulatedTime;
    QString m_frontmostApplication;
};

} // namespace zorv
