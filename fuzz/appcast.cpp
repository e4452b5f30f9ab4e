// The appcast an update check reads: any bytes are refused or give items whose release notes read
// to bounded plain text, and picking the newest of them against any build string (this build's,
// and each item's own) is total and consistent.
#include "updates/appcast.h"
#include "fuzzcheck.h"
#include "updates/releasenotes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const auto items =
        zorv::Appcast::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!items) {
        return 0;
    }
    (void)zorv::Appcast::newest(*items, QStringLiteral("1.0"));
    for (const zorv::AppcastItem &item : *items) {
        // What the update window shows of the notes is bounded, whatever the feed holds.
        FUZZ_CHECK(zorv::ReleaseNotes::plainText(item.itemDescription).size() <=
                   zorv::ReleaseNotes::maximumCharacters);
        // Nothing is newer than the newest item itself.
        const auto newest = zorv::Appcast::newest(*items, item.version);
        if (newest) {
            FUZZ_CHECK(!zorv::Appcast::newest({*newest}, newest->version).has_value());
        }
    }
    return 0;
}
