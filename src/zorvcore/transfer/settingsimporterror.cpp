#include "settingsimporterror.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString describe(SettingsImportError::Reason reason) {
    switch (reason) {
    case SettingsImportError::Reason::tooLarge:
        return u"The settings file is larger than 10 MB."_s;
    case SettingsImportError::Reason::unsupportedFormat:
        return u"This settings format is not supported by this version of Zorv."_s;
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace

SettingsImportError::SettingsImportError(Reason reason)
    : std::runtime_error(describe(reason).toStdString()), m_reason(reason) {}

QString SettingsImportError::errorDescription() const {
    return describe(m_reason);
}

} // namespace zorv
