#pragma once

#include <QPointF>
#include <QString>

#include <optional>

class QQuickItem;
class QQuickWindow;
class QWindow;

namespace zorv {

class SimAppWindow;
class SimulatedDesktop;

// The visible item named `name` in the tree under `item`; null when none shows.
QQuickItem *findIn(QQuickItem *item, const QString &name);

// The simulated Mac's window that shows `window` of Zorv's; null when it has none.
SimAppWindow *serverOf(SimulatedDesktop &mac, const QWindow *window);

// Where a point of the named control of a window lies on the simulated screen, by its fractions
// of the control's width and height; nullopt, with a failure, when there is no such control.
std::optional<QPointF> pointOf(SimulatedDesktop &mac, QQuickWindow *window, const QString &name,
                               QPointF fraction = {0.5, 0.5});

// The shown window of Zorv's holding the named control; null when none does.
QQuickWindow *shownWindowWith(SimulatedDesktop &mac, const QString &name);

} // namespace zorv
