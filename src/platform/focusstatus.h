#pragma once

#include <QObject>

namespace zorv {

// Stands in for the system's Focus (do not disturb) state and its change notification. Main
// thread.
class FocusStatus : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    [[nodiscard]] virtual bool isFocusActive() const = 0;

Q_SIGNALS:
    // The do-not-disturb state changed; its contents are not carried.
    void focusChanged();
};

} // namespace zorv
