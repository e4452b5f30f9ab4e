#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// One change that reached the simulated iCloud key-value server: which Mac sent it, the key, and
// the new data (absent for a removal).
struct SimCloudWrite {
    QString deviceName;
    QString key;
    std::optional<QByteArray> data;

    friend bool operator==(const SimCloudWrite &, const SimCloudWrite &) = default;
};

} // namespace zorv
