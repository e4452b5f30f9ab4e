#pragma once

#include "itemlistmodel.h"
#include "itempositionsmodel.h"
#include "modelview.h"
#include "notificationbanner.h"
#include "screenlistmodel.h"
#include "screenmapping.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>

namespace zorv {

class AppModel;
class ClassicEngine;
class SimulatedPlatform;
class UserInput;
class ZorvKit;

// What the desktop window shows of the simulated Mac: the scenario, the simulated time, the
// frontmost application, the screens with their bars and the items' positions, and, once Zorv's
// app model runs, the section its engine puts each item in, the model's view (its items section
// by section, why hiding is blocked, the active profile), whether the hidden sections are
// revealed, when the settings were last saved, and what the engine's last reconcile run did.
// Refreshed after every change of the bars or screens and of the model's items, layout, hiding
// problem, profiles and save time; refreshed() then says the window is about to look different.
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
    Q_PROPERTY(zorv::ModelView *model READ modelView NOTIFY modelChanged)
    Q_PROPERTY(zorv::ItemListModel *sections READ sections CONSTANT)
    Q_PROPERTY(QString lastSaved READ lastSaved NOTIFY refreshed)
    Q_PROPERTY(QString lastReconcile READ lastReconcile NOTIFY refreshed)
    Q_PROPERTY(bool lifeSize READ lifeSize CONSTANT)
    Q_PROPERTY(zorv::NotificationBanner *banner READ banner CONSTANT)
    // The status item's tool tip the pointer brought up (shown, text, displayId, location).
    Q_PROPERTY(QObject *toolTip READ toolTip CONSTANT)

public:
    // `lifeSize`: screens are always drawn at one view pixel per point (windows of their own lie
    // over them, see ScreenWindows); otherwise they are shrunk to fit the view.
    explicit DesktopViewModel(SimulatedPlatform &platform, bool lifeSize = false,
                              QObject *parent = nullptr);

    [[nodiscard]] QString scenarioName() const;
    [[nodiscard]] QString scenarioDescription() const;
    // "Tue 1 Dec 2026 9:42:10 UTC, 42:10 into the scenario".
    [[nodiscard]] QString simulatedTime() const { return m_simulatedTime; }
    [[nodiscard]] QString frontmostApplication() const { return m_frontmostApplication; }
    [[nodiscard]] ScreenListModel *screens() { return &m_screens; }
    [[nodiscard]] ItemPositionsModel *positions() { return &m_positions; }
    // The running model's view; null before it runs.
    [[nodiscard]] ModelView *modelView() const { return m_modelView.get(); }
    // The model's items, every section in turn; empty before it runs.
    [[nodiscard]] ItemListModel *sections() { return &m_sections; }
    [[nodiscard]] bool engineRunning() const { return m_model != nullptr; }
    [[nodiscard]] bool revealed() const { return m_revealed; }
    // "Tue 1 Dec 2026 9:42:10 UTC"; empty while nothing was saved in this run.
    [[nodiscard]] QString lastSaved() const { return m_lastSaved; }
    // reconcileSummary() of the engine's last reconcile run; empty before the first.
    [[nodiscard]] QString lastReconcile() const { return m_lastReconcile; }

    [[nodiscard]] bool lifeSize() const { return m_lifeSize; }
    // The notification banner drawn on the active screen.
    [[nodiscard]] NotificationBanner *banner() { return &m_banner; }
    [[nodiscard]] QObject *toolTip();
    // The zoom a screen `screenWidth` points wide is drawn at in a view `available` pixels wide.
    Q_INVOKABLE double zoomFor(double screenWidth, double available) const;
    // The simulated Mac's mouse and keyboard, for the drawn screens.
    [[nodiscard]] UserInput &userInput();

    // "user-move: 3 drags, settled" from a "last-reconcile.json" record ("not settled", or
    // "aborted (<reason>)"); empty for an empty record.
    [[nodiscard]] static QString reconcileSummary(const QJsonObject &run);

    // The app model whose state to show; it must outlive this view model or be reset first. The
    // model's item lists hand their pictures to `kit` when one is given.
    void setModel(AppModel *model, ZorvKit *kit = nullptr);
    // The engine whose reconcile runs to show; it must outlive this view model or be reset first.
    void setEngine(const ClassicEngine *engine) { m_engine = engine; }

    // Reads the desktop again.
    void refresh();

Q_SIGNALS:
    void refreshed();
    void modelChanged();
    // After a refresh that found the screens or bars different from the last one.
    void barsChanged();

private:
    SimulatedPlatform &m_platform;
    const bool m_lifeSize;
    ScreenListModel m_screens;
    ItemPositionsModel m_positions;
    ItemListModel m_sections;
    QString m_simulatedTime;
    QString m_frontmostApplication;
    DesktopSnapshot m_lastSnapshot;
    AppModel *m_model = nullptr;
    std::unique_ptr<ModelView> m_modelView;
    QList<QMetaObject::Connection> m_modelConnections;
    bool m_revealed = false;
    QString m_lastSaved;
    const ClassicEngine *m_engine = nullptr;
    QString m_lastReconcile;
    NotificationBanner m_banner;
};

} // namespace zorv
