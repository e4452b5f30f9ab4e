#include "bundlefacts.h"

#include "systemfacts.h"

using namespace Qt::StringLiterals;

namespace zorv {

BundleFacts BundleFacts::read(const SystemFacts &facts) {
    const auto info = [&](const QString &key) { return facts.bundleInfoString(key); };
    BundleFacts bundle;
    bundle.identifier = facts.bundleIdentifier().value_or(unknownIdentifier);
    bundle.version = info(u"CFBundleShortVersionString"_s).value_or(u"0"_s);
    bundle.build = info(u"CFBundleVersion"_s).value_or(u"0"_s);
    bundle.displayName =
        info(u"CFBundleDisplayName"_s).value_or(info(u"CFBundleName"_s).value_or(u"This app"_s));
    return bundle;
}

} // namespace zorv
