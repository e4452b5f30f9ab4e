#pragma once

#include "engineerror.h"

#include <QJsonObject>
#include <QString>

namespace zorv {

// What one try at opening an item came to, and the record's keys it adds ("x" and "y" of a
// click, "why" no click lands and the "action" of a press).
struct OpeningTry {
    enum class Verdict { opened, moved, failed };
    Verdict verdict = Verdict::failed;
    // As the record names it.
    QString outcome;
    EngineError error = EngineError::activationFailed;
    QJsonObject keys;
};

} // namespace zorv
