#pragma once

#include "systemappearance.h"

namespace zorv {

// The simulated Mac's effective appearance, light until a scenario or a test switches it.
// setEffectiveAppearanceName() is the script call; it notifies only on a real change. Main thread.
class SimSystemAppearance final : public SystemAppearance {
    Q_OBJECT

public:
    explicit SimSystemAppearance(QObject *parent = nullptr);

    [[nodiscard]] QString effectiveAppearanceName() const override { return m_name; }
    void setEffectiveAppearanceName(const QString &name);
    // Shorthand for the two plain appearances.
    void setDark(bool dark);

private:
    QString m_name = AppearanceName::aqua;
};

} // namespace zorv
