#pragma once

#include <QString>

namespace zorv {

// Stands in for the unified system log: the few user-facing problems the system reports outside
// its own files, each line with the product name first ("Zorv: ...").
class SystemLog {
public:
    virtual ~SystemLog() = default;

    virtual void write(const QString &line) = 0;
};

} // namespace zorv
