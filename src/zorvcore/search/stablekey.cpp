#include "stablekey.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString stableKey(const MenuBarItemID &id) {
    return id.bundleID + u'#' + id.axIdentifier.value_or(QString()) + u"##"_s +
           QString::number(id.ordinal);
}

} // namespace zorv
