#pragma once

#include <QtGlobal>

namespace zorv {

// A display's identifier as the window server numbers displays (CGDirectDisplayID). Screens,
// cursor calls and screen captures all name displays by it.
using DisplayId = quint32;

} // namespace zorv
