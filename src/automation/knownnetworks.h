#pragma once

#include <QStringList>

#include <optional>

namespace zorv {

class WifiClient;

// The Wi-Fi networks this Mac remembers, for the rule builder's choices, and a guess at which of
// them is a phone's hotspot, for the example rules. Read anew at every call.
class KnownNetworks {
public:
    KnownNetworks() = delete;

    // Remembered names in their stored order, without empty names or later duplicates.
    [[nodiscard]] static QStringList all(const WifiClient &wifi);
    // The first remembered name that looks like an iPhone's or iPad's or a hotspot, as written.
    [[nodiscard]] static std::optional<QString> likelyHotspot(const WifiClient &wifi);
};

} // namespace zorv
