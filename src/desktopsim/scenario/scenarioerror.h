#pragma once

#include <QString>

#include <stdexcept>

namespace zorv {

// A scenario that cannot be used: the file is missing or unreadable, is not JSON, or does not
// describe a valid scenario. The message names the file and, for a bad value, its key path.
class ScenarioError : public std::runtime_error {
public:
    explicit ScenarioError(const QString &message);

    [[nodiscard]] QString message() const { return QString::fromStdString(what()); }
};

} // namespace zorv
