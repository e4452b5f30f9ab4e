#pragma once

#include "systemfacts.h"

#include <QHash>

namespace zorv {

class ApplicationRegistry;

// What the simulated Mac says about this installation. The bundle identifier is the one this
// process was launched with; the bundle's information values, the system version and the model
// identifier are script values, preset to a recent laptop. Main thread.
class SimSystemFacts final : public SystemFacts {
public:
    explicit SimSystemFacts(const ApplicationRegistry &applications);

    [[nodiscard]] std::optional<QString> bundleIdentifier() const override;
    [[nodiscard]] std::optional<QString> bundleInfoString(const QString &key) const override;
    [[nodiscard]] QString operatingSystemVersion() const override;
    [[nodiscard]] std::optional<QByteArray> hardwareModel() const override;

    // Script API. An absent value removes the key.
    void setBundleInfoString(const QString &key, const std::optional<QString> &value);
    void setOperatingSystemVersion(const QString &text);
    // The bytes "hw.model" reads as; absent makes the query fail.
    void setHardwareModel(const std::optional<QByteArray> &bytes);

private:
    const ApplicationRegistry &m_applications;
    QHash<QString, QString> m_bundleInfo;
    QString m_operatingSystemVersion;
    std::optional<QByteArray> m_hardwareModel;
};

} // namespace zorv
