#include "knownnetworks.h"

#include "wificlient.h"

using namespace Qt::StringLiterals;

namespace zorv {

QStringList KnownNetworks::all(const WifiClient &wifi) {
    QStringList names;
    const auto remembered = wifi.rememberedNetworks();
    if (!remembered) {
        return names;
    }
    for (const std::optional<QString> &name : *remembered) {
        if (name && !name->isEmpty() && !names.contains(*name)) {
            names.append(*name);
        }
    }
    return names;
}

std::optional<QString> KnownNetworks::likelyHotspot(const WifiClient &wifi) {
    for (const QString &name : all(wifi)) {
        const QString lower = name.toLower();
        if (lower.contains(u"iphone") || lower.contains(u"ipad") || lower.contains(u"hotspot")) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace zorv
