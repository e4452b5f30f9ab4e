#pragma once

#include "triggers/triggerrule.h"

#include <QList>
#include <QString>

namespace zorv {

class WifiClient;

// The ready-made rules the rules pane offers as starting points. Each read builds them anew with
// fresh ids (and a fresh, unmatched profile id for the first), so two reads never share ids; the
// hotspot example carries the likely hotspot among the networks remembered at that moment. A
// network, profile or item left empty here is for the user to fill in.
class TriggerExamples {
public:
    TriggerExamples() = delete;

    struct Example {
        QString title;
        QString why;
        TriggerRule rule;

        friend bool operator==(const Example &, const Example &) = default;
    };

    [[nodiscard]] static QList<Example> all(const WifiClient &wifi);
};

} // namespace zorv
