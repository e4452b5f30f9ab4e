#pragma once

#include <QString>

#include <stdexcept>

namespace zorv {

// Why an export file was refused before or after decoding; plain decoding failures are
// DecodeErrors instead.
class SettingsImportError : public std::runtime_error {
public:
    enum class Reason { tooLarge, unsupportedFormat };

    explicit SettingsImportError(Reason reason);

    [[nodiscard]] Reason reason() const { return m_reason; }
    // The text shown to the user.
    [[nodiscard]] QString errorDescription() const;

private:
    Reason m_reason;
};

} // namespace zorv
