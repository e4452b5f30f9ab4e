#pragma once

#include <QString>
#include <QStringView>

namespace zorv {

// Paths name a value inside a document for error messages: "$.rules[2].condition.not._0". A key
// that is not a plain identifier is written quoted, "$.names[\"com.example.app\"]", so the path
// stays unambiguous.
[[nodiscard]] QString jsonKeyPath(const QString &parent, QStringView key);
[[nodiscard]] QString jsonIndexPath(const QString &parent, qsizetype index);

} // namespace zorv
