#include "statusitembutton.h"

namespace zorv {

StatusItemButton::StatusItemButton(QObject *parent) : QObject(parent) {}

StatusItemButton::~StatusItemButton() = default;

} // namespace zorv
