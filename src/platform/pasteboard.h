#pragma once

#include <QString>

namespace zorv {

// Stands in for the general pasteboard. Main thread.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;

    // Clears the pasteboard, then puts `text` on it as plain text.
    virtual void setPlainText(const QString &text) = 0;
    // The plain text on the pasteboard; empty when it holds none.
    [[nodiscard]] virtual QString plainText() const = 0;
};

} // namespace zorv
