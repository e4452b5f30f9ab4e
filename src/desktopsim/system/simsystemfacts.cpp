#include "simsystemfacts.h"

#include "script/applicationregistry.h"

using namespace Qt::StringLiterals;

namespace zorv {

SimSystemFacts::SimSystemFacts(const ApplicationRegistry &applications)
    : m_applications(applications), m_operatingSystemVersion(u"Version 14.5 (Build 23F79)"_s),
      m_hardwareModel(QByteArray("Mac14,2", 8)) {}

std::optional<QString> SimSystemFacts::bundleIdentifier() const {
    const auto current = m_applications.application(m_applications.currentProcessId());
    return current ? current->bundleIdentifier : std::nullopt;
}

std::optional<QString> SimSystemFacts::bundleInfoString(const QString &key) const {
    const auto found = m_bundleInfo.constFind(key);
    return found == m_bundleInfo.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

QString SimSystemFacts::operatingSystemVersion() const {
    return m_operatingSystemVersion;
}

std::optional<QByteArray> SimSystemFacts::hardwareModel() const {
    return m_hardwareModel;
}

void SimSystemFacts::setBundleInfoString(const QString &key, const std::optional<QString> &value) {
    if (value) {
        m_bundleInfo.insert(key, *value);
    } else {
        m_bundleInfo.remove(key);
    }
}

void SimSystemFacts::setOperatingSystemVersion(const QString &text) {
    m_operatingSystemVersion = text;
}

void SimSystemFacts::setHardwareModel(const std::optional<QByteArray> &bytes) {
    m_hardwareModel = bytes;
}

} // namespace zorv
