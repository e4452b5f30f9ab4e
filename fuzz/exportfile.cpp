// The export file through SettingsBundle::decode(): any bytes are refused with DecodeError or
// SettingsImportError, or give a setup that exports to a file importing as the same setup, and
// exporting that again gives the same bytes.
#include "decodeerror.h"
#include "fuzzcheck.h"
#include "transfer/settingsbundle.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<zorv::SettingsBundle> decode(const QByteArray &bytes) {
    try {
        return zorv::SettingsBundle::decode(bytes);
    } catch (const zorv::DecodeError &) {
    } catch (const zorv::SettingsImportError &) {
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const auto bundle = decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!bundle) {
        return 0;
    }
    const QByteArray exported = bundle->encoded();
    const auto imported = decode(exported);
    FUZZ_CHECK(imported.has_value());
    FUZZ_CHECK(*imported == *bundle);
    FUZZ_CHECK(imported->encoded() == exported);
    return 0;
}
