#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlParserStatus>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

class Clock;

// The pane's "SAVED" tick: every change of `savedAt` after the pane is built (a change to null
// too) shows the tick and starts its own 1.6 s wait on the kit's clock, at whose end the tick is
// hidden, whatever changed meanwhile. Waits are neither kept nor cancelled by later changes.
class SavedTick : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)

    Q_PROPERTY(QVariant savedAt READ savedAt WRITE setSavedAt NOTIFY savedAtChanged)
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)

public:
    static constexpr double holdSeconds = 1.6;

    // In QML the clock is the installed kit's; C++ callers pass one.
    explicit SavedTick(QObject *parent = nullptr);
    explicit SavedTick(Clock &clock, QObject *parent = nullptr);
    ~SavedTick() override;

    [[nodiscard]] QVariant savedAt() const { return m_savedAt; }
    void setSavedAt(const QVariant &savedAt);
    [[nodiscard]] bool isShown() const { return m_shown; }

    void classBegin() override;
    void componentComplete() override;

Q_SIGNALS:
    void savedAtChanged();
    void shownChanged();

private:
    void setShown(bool shown);
    QCoro::Task<> hideAfterHold(Clock &clock, CancellationToken lifetime);

    Clock *m_clock = nullptr;
    QVariant m_savedAt;
    bool m_shown = false;
    // Changes before the component is complete set the initial value and show nothing.
    bool m_complete = true;
    CancellationSource m_lifetime;
};

} // namespace zorv
