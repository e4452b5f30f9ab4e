#pragma once

#include <QByteArray>

namespace zorv {

// A scenario of `count` status items, one application each, on a display wide enough for about
// half of 400 of them, with Zorv's items where a returning user left them.
QByteArray generatedBar(int count);

// The same bar with the same events in its first hour whatever its size: the front application
// switching every five minutes, an item changing width, an application quitting and coming back,
// an item added and removed, and the user Command-dragging an item.
QByteArray generatedBarWithEvents(int count);

} // namespace zorv
