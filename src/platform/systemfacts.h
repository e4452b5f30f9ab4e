#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorv {

// Stands in for what the system says about this installation: the main bundle's identity and
// version values, the operating system's version text and the machine's model identifier.
// Problem reports carry them. Main thread.
class SystemFacts {
public:
    virtual ~SystemFacts() = default;

    // The main bundle's identifier; absent when the bundle has none.
    [[nodiscard]] virtual std::optional<QString> bundleIdentifier() const = 0;
    // A value of the main bundle's information dictionary ("CFBundleShortVersionString",
    // "CFBundleVersion"); absent when the key is missing or its value is not a string.
    [[nodiscard]] virtual std::optional<QString> bundleInfoString(const QString &key) const = 0;
    // The operating system's human-readable version text, as the process information gives it.
    [[nodiscard]] virtual QString operatingSystemVersion() const = 0;
    // The raw bytes of the system control value "hw.model" (usually ending in a zero byte);
    // absent when the query fails or reports no size.
    [[nodiscard]] virtual std::optional<QByteArray> hardwareModel() const = 0;
};

} // namespace zorv
