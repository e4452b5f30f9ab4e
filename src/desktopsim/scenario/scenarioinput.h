#pragma once

#include "jsonreader.h"
#include "scenarioevent.h"

namespace zorv {

// The "input" event of a scenario file: the user's hands on the mouse and keyboard.
namespace ScenarioInput {

// Reads the event's keys; a key that does not belong to its kind of input, or a value out of
// range, fails with the key's path and a reason.
[[nodiscard]] scenarioaction::Input fromJson(const JsonObjectRef &object);

} // namespace ScenarioInput

} // namespace zorv
