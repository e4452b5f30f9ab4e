#pragma once

#include "clock.h"
#include "systemappearance.h"

#include <QObject>

class QQmlEngine;

namespace zorv {

// What the kit's QML types need from the running program: the appearance the palette follows and
// the clock every timer of the kit runs on. install() hangs one kit on a QML engine (as its child)
// and adds the kit's image providers ("zorvsymbol" for system symbols, "zorvkeys" for key caps);
// the kit's types find it again through of(). Install before loading any QML that uses the kit.
class ZorvKit : public QObject {
    Q_OBJECT

public:
    static ZorvKit &install(QQmlEngine &engine, SystemAppearance &appearance, Clock &clock);
    // The kit installed on `engine`; null when none is (or `engine` is null).
    [[nodiscard]] static ZorvKit *of(const QQmlEngine *engine);

    [[nodiscard]] SystemAppearance &appearance() const { return m_appearance; }
    [[nodiscard]] Clock &clock() const { return m_clock; }

private:
    ZorvKit(SystemAppearance &appearance, Clock &clock, QObject *parent);

    SystemAppearance &m_appearance;
    Clock &m_clock;
};

} // namespace zorv
