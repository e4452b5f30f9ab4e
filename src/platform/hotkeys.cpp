#include "hotkeys.h"

namespace zorv {

HotKeys::HotKeys(QObject *parent) : QObject(parent) {}

HotKeys::~HotKeys() = default;

} // namespace zorv
