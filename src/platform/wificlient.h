#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

// Stands in for the shared Wi-Fi client's default interface (CoreWLAN). The system shares the
// current network's name only with applications that have Location access. Main thread.
class WifiClient {
public:
    virtual ~WifiClient() = default;

    // The current network's name; absent without an interface, when not associated, or without
    // the Location permission.
    [[nodiscard]] virtual std::optional<QString> currentNetworkName() const = 0;
    // The remembered network profiles' names in their stored order (a profile may carry no
    // name); absent without an interface or without a configuration.
    [[nodiscard]] virtual std::optional<QList<std::optional<QString>>>
    rememberedNetworks() const = 0;
};

} // namespace zorv
