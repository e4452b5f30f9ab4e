// The settings store file (see storefuzz.h).
#include "settings/settings.h"
#include "storefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    return zorv::fuzz::fuzzStore<zorv::Settings>(data, size);
}
