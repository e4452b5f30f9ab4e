// Scenario files: any bytes are refused with ScenarioError or read as a scenario.
#include "scenario/scenarioloader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    try {
        (void)zorv::ScenarioLoader::parse(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
            QStringLiteral("fuzz.json"));
    } catch (const zorv::ScenarioError &) {
    }
    return 0;
}
