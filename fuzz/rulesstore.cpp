// The rules store file (see storefuzz.h).
#include "storefuzz.h"
#include "triggers/triggerset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    return zorv::fuzz::fuzzStore<zorv::TriggerSet>(data, size);
}
