#pragma once

#include "screen.h"

#include <QList>
#include <QObject>

#include <optional>

namespace zorv {

// Stands in for AppKit's screen list (NSScreen.screens, NSScreen.mainScreen) and the application's
// screen-parameters-changed notification.
//
// screens() lists the screens in the system's order, the primary screen (origin 0,0, the one the
// menu bar's coordinates are measured from) first. mainScreen() is the screen holding the key
// window, which need not be the primary one and can be absent. Thread-safe; the notification is
// delivered on the main thread after every change of the arrangement, resolution or set of screens.
class Screens : public QObject {
    Q_OBJECT

public:
    explicit Screens(QObject *parent = nullptr);
    ~Screens() override;

    [[nodiscard]] virtual QList<Screen> screens() const = 0;
    [[nodiscard]] virtual std::optional<Screen> mainScreen() const = 0;

Q_SIGNALS:
    void screenParametersChanged();
};

} // namespace zorv
