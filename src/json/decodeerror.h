#pragma once

#include <QString>

#include <stdexcept>

namespace zorv {

// A document that does not have the shape its reader expects. `path` names the offending value
// ("$.rules[2].condition.not._0"), `reason` says what was wrong with it.
class DecodeError : public std::runtime_error {
public:
    DecodeError(QString path, QString reason);

    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] const QString &reason() const { return m_reason; }
    // "<path>: <reason>", the text shown to a user or written to a log.
    [[nodiscard]] QString message() const;

private:
    QString m_path;
    QString m_reason;
};

} // namespace zorv
