#include "appearance/simsystemappearance.h"

namespace zorv {

SimSystemAppearance::SimSystemAppearance(QObject *parent) : SystemAppearance(parent) {}

void SimSystemAppearance::setEffectiveAppearanceName(const QString &name) {
    if (name == m_name) {
        return;
    }
    m_name = name;
    Q_EMIT effectiveAppearanceChanged();
}

void SimSystemAppearance::setDark(bool dark) {
    setEffectiveAppearanceName(dark ? AppearanceName::darkAqua : AppearanceName::aqua);
}

} // namespace zorv
