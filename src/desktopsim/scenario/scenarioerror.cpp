#include "scenarioerror.h"

namespace zorv {

ScenarioError::ScenarioError(const QString &message) : std::runtime_error(message.toStdString()) {}

} // namespace zorv
