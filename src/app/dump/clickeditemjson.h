#pragma once

#include "model/inputrecords.h"
#include "optionaljson.h"

#include <QJsonObject>

namespace zorv {

// A clicked item as the dump names it, as it stood then: application, bundle identifier, title
// and autosave name.
[[nodiscard]] inline QJsonObject clickedItemJson(const ClickedItem &item) {
    using namespace Qt::StringLiterals;
    return {{u"application"_s, optionalString(item.application)},
            {u"bundleId"_s, optionalString(item.bundleId)},
            {u"title"_s, item.title},
            {u"autosaveName"_s, item.autosaveName}};
}

} // namespace zorv
