#pragma once

#include "wificlient.h"

namespace zorv {

class LocationAuthorization;

// The simulated Mac's Wi-Fi: an interface that is not associated and remembers no network until
// a scenario or a test joins one. As on the real system, the current network's name is given
// only while this application has the Location permission. Main thread.
class SimWifiClient final : public WifiClient {
public:
    explicit SimWifiClient(const LocationAuthorization &location) : m_location(location) {}

    [[nodiscard]] std::optional<QString> currentNetworkName() const override;
    [[nodiscard]] std::optional<QList<std::optional<QString>>> rememberedNetworks() const override;

    // Script: joins the network (remembering it, as the system does), or leaves any with none.
    void join(const std::optional<QString> &network);
    void setRememberedNetworks(QList<std::optional<QString>> networks);
    // Script: a Mac without Wi-Fi hardware (or with Wi-Fi switched off) has no interface.
    void setInterfacePresent(bool present) { m_interfacePresent = present; }
    // The network joined, whatever the permission.
    [[nodiscard]] const std::optional<QString> &joinedNetwork() const { return m_current; }

private:
    const LocationAuthorization &m_location;
    bool m_interfacePresent = true;
    std::optional<QString> m_current;
    QList<std::optional<QString>> m_remembered;
};

} // namespace zorv
