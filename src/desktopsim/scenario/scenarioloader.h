#pragma once

#include "scenario.h"
#include "scenarioerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zorv {

// Finds and reads scenario files. The scenarios shipped with the simulator are compiled into it as
// Qt resources (":/zorv/scenarios/<name>.json") and can be named by their bare name ("laptop");
// anything else is read as a file path. Every failure throws ScenarioError.
class ScenarioLoader {
public:
    // The scenario used when none is chosen.
    static inline const QString defaultName = QStringLiteral("laptop");

    [[nodiscard]] static QStringList shippedNames();
    // The resource path of a shipped scenario, or the argument itself.
    [[nodiscard]] static QString resolve(const QString &fileOrName);

    [[nodiscard]] static Scenario load(const QString &fileOrName);
    // `source` names the document in error messages.
    [[nodiscard]] static Scenario parse(const QByteArray &bytes, const QString &source);
};

} // namespace zorv
