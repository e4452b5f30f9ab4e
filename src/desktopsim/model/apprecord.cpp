#include "model/apprecord.h"

namespace zorv {

QString AppRecord::positionKey() const {
    if (bundleIdentifier) {
        return *bundleIdentifier;
    }
    if (localizedName) {
        return *localizedName;
    }
    return QStringLiteral("pid:%1").arg(processId);
}

} // namespace zorv
