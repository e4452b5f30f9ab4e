// The profiles store file (see storefuzz.h).
#include "profiles/profileset.h"
#include "storefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    return zorv::fuzz::fuzzStore<zorv::ProfileSet>(data, size);
}
