// The report endpoint's answer (at most 64 KiB of it): any bytes give a report id, an error text,
// both or neither, and never throw.
#include "fuzzcheck.h"
#include "reportbuilder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray reply(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto id = zorv::ReportProblem::Builder::reportID(reply);
    const auto error = zorv::ReportProblem::Builder::errorText(reply);
    (void)id;
    (void)error;
    return 0;
}
