#include "reportfacts.h"

#include "systemfacts.h"

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

Facts Facts::current(const SystemFacts &system) {
    return Facts{
        .bundleID = system.bundleIdentifier().value_or(u"unknown"_s),
        .version = system.bundleInfoString(u"CFBundleShortVersionString"_s).value_or(u"?"_s),
        .build = system.bundleInfoString(u"CFBundleVersion"_s).value_or(u"?"_s),
        .macOS = system.operatingSystemVersion(),
        .machine = model(system),
    };
}

QString Facts::model(const SystemFacts &system) {
    const auto bytes = system.hardwareModel();
    if (!bytes || bytes->isEmpty()) {
        return u"a Mac"_s;
    }
    const qsizetype zero = bytes->indexOf('\0');
    return QString::fromUtf8(zero < 0 ? *bytes : bytes->first(zero));
}

} // namespace zorv::ReportProblem
