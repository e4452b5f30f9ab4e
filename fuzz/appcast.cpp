// The appcast an update check reads: any bytes are refused or give items whose release notes read
// to bounded plain text, and picking the newest of them against any build string (this build's,
// and each item's own) is total and consistent.
#include "updates/appcast.h"
#include "fuzzcheck.h"
#include "updates/releasenotes.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The notes are read by Qt's HTML reader, which sets fonts and needs a GUI application; it gets
    // arguments of its own so it takes none of libFuzzer's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_appcast";
    static char *argv[] = {name, nullptr};
    // Never destroyed: it would outlive the Qt state it needs at exit.
    static const auto *application = new QGuiApplication(argc, argv);
    (void)application;
    return 0;
}

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
