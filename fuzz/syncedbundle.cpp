// The record another Mac leaves in the iCloud key-value store, through SyncedBundle::decode():
// any bytes are refused with DecodeError, or give a bundle that encodes to a record decoding as
// the same bundle, and merging it with itself changes nothing but leaving out the profiles and
// rules it lists as deleted, and nothing at all the second time.
#include "transfer/syncedbundle.h"
#include "decodeerror.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<zorv::SyncedBundle> decode(const QByteArray &bytes) {
    try {
        return zorv::SyncedBundle::decode(bytes);
    } catch (const zorv::DecodeError &) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const auto bundle = decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!bundle) {
        return 0;
    }
    const QByteArray record = bundle->encoded();
    const auto received = decode(record);
    FUZZ_CHECK(received.has_value());
    FUZZ_CHECK(received->encoded() == record);
    FUZZ_CHECK(received->contentEquals(*bundle));
    const zorv::SyncedBundle merged = received->merging(*received);
    FUZZ_CHECK(merged.merging(merged).contentEquals(merged));
    const zorv::SyncedIdentifiers held =
        zorv::SyncedIdentifiers::of(received->profiles, received->triggers);
    if (held.without(received->deleted) == held) {
        FUZZ_CHECK(merged.contentEquals(*received));
    }
    (void)merged.encoded();
    return 0;
}
