#pragma once

#include <QString>

#include <stdexcept>

namespace zorv {

// A store could not put a value on disk. `message()` is a sentence for the user or a log, naming
// the file and the reason ("could not write settings.json: No space left on device").
class StoreError : public std::runtime_error {
public:
    explicit StoreError(QString message);

    [[nodiscard]] const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace zorv
