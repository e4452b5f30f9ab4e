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

void AppRecord::setHung(bool isHung) {
    if (isHung == hung) {
        return;
    }
    hung = isHung;
    if (hung) {
        hangEnds = std::make_shared<CancellationSource>();
    } else {
        hangEnds->cancel();
        hangEnds.reset();
    }
}

} // namespace zorv
