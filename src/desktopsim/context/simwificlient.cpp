#include "context/simwificlient.h"

#include "locationauthorization.h"

namespace zorv {

std::optional<QString> SimWifiClient::currentNetworkName() const {
    if (!m_interfacePresent || m_location.status() != LocationStatus::AuthorizedAlways) {
        return std::nullopt;
    }
    return m_current;
}

std::optional<QList<std::optional<QString>>> SimWifiClient::rememberedNetworks() const {
    if (!m_interfacePresent) {
        return std::nullopt;
    }
    return m_remembered;
}

void SimWifiClient::join(const std::optional<QString> &network) {
    m_current = network;
    if (network && !m_remembered.contains(network)) {
        m_remembered.append(network);
    }
}

void SimWifiClient::setRememberedNetworks(QList<std::optional<QString>> networks) {
    m_remembered = std::move(networks);
}

} // namespace zorv
