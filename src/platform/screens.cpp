#include "screens.h"

namespace zorv {

Screens::Screens(QObject *parent) : QObject(parent) {}

Screens::~Screens() = default;

} // namespace zorv
