#pragma once

#include "cancellation.h"
#include "modelview.h"
#include "settingsservices.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

// The Spacing pane: the custom spacing switch and slider, written to the settings and the
// system's preferences (a slider drag is written as it begins and 0.25 s after its last move),
// Revert, whether a log-out is needed for every app to pick the change up, and the log-out
// request with its refusal. Made in QML with `view` and `services` set; main thread.
class SpacingPaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(zorv::SettingsServices *services MEMBER m_services NOTIFY servicesChanged)
    Q_PROPERTY(bool overriding READ overriding WRITE setOverriding NOTIFY valueChanged)
    Q_PROPERTY(double points READ points WRITE setPoints NOTIFY valueChanged)
    Q_PROPERTY(QString readout READ readout NOTIFY valueChanged)
    Q_PROPERTY(QVariant note READ note NOTIFY valueChanged)
    Q_PROPERTY(bool needsLogout READ needsLogout NOTIFY needsLogoutChanged)
    Q_PROPERTY(bool logoutRefused READ logoutRefused NOTIFY logoutRefusedChanged)

public:
    static constexpr double minimumPoints = 2;
    static constexpr double maximumPoints = 24;
    static constexpr qint64 systemDefault = 16;
    static constexpr double commitDelaySeconds = 0.25;
    // The largest spacing, either way, that a double holds exactly: a system value beyond it
    // shows (and is written back) at this bound.
    static constexpr qint64 largestExactPoints = qint64(1) << 53;

    explicit SpacingPaneModel(QObject *parent = nullptr);
    ~SpacingPaneModel() override;

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] bool overriding() const { return m_overriding; }
    // The switch: writes at once (the slider's value when on, the system's when off).
    void setOverriding(bool on);
    [[nodiscard]] double points() const { return m_points; }
    // A slider move: written 0.25 s after the last one.
    void setPoints(double points);
    [[nodiscard]] QString readout() const;
    // A string, or null while custom spacing is on.
    [[nodiscard]] QVariant note() const;
    [[nodiscard]] bool needsLogout() const;
    [[nodiscard]] bool logoutRefused() const { return m_logoutRefused; }

    // The pane is shown: a custom spacing the system holds turns the switch on and shows as it
    // is, also beyond the slider's ends.
    Q_INVOKABLE void appear();
    // The slider's drag begins: the value it holds is written at once.
    Q_INVOKABLE void beginDrag();
    Q_INVOKABLE void revert();
    Q_INVOKABLE void logOut();

Q_SIGNALS:
    void viewChanged();
    void servicesChanged();
    void valueChanged();
    void needsLogoutChanged();
    void logoutRefusedChanged();

private:
    void commit(bool debounced);
    void write();
    static QCoro::Task<> writeLater(QPointer<SpacingPaneModel> self, CancellationToken token);

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QMetaObject::Connection m_settingsConnection;
    bool m_overriding = false;
    double m_points = systemDefault;
    bool m_logoutRefused = false;
    CancellationSource m_pendingCommit;
};

} // namespace zorv
