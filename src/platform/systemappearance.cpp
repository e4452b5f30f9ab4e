#include "systemappearance.h"

namespace zorv {

SystemAppearance::SystemAppearance(QObject *parent) : QObject(parent) {}

SystemAppearance::~SystemAppearance() = default;

bool SystemAppearance::isDark(const QString &name) {
    return name == AppearanceName::darkAqua || name == AppearanceName::vibrantDark ||
           name == AppearanceName::highContrastDarkAqua;
}

} // namespace zorv
