#pragma once

#include "locationauthorization.h"
#include "triggers/triggercontext.h"

#include <QList>
#include <QString>

namespace zorv {

// What the rules pane shows of the Mac as the rules see it: the battery level and power source
// when the Mac has a battery, then the Wi-Fi network, or the button that asks for the Location
// access the system wants before it names the network.
struct ReadoutElement {
    enum class Kind {
        Pill,
        // "Show Wi-Fi Name…": asks for Location access.
        LocationButton,
    };

    Kind kind;
    QString text;
    QString symbol;

    friend bool operator==(const ReadoutElement &, const ReadoutElement &) = default;
};

[[nodiscard]] QList<ReadoutElement> contextReadout(const TriggerContext &context,
                                                   LocationStatus location);

} // namespace zorv
