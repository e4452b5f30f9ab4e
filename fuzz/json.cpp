// The strict JSON reader and the canonical writer: any bytes either fail with DecodeError or give
// a value that the writer writes, that reads back as the same value, and whose writing is stable.
#include "decodeerror.h"
#include "fuzzcheck.h"
#include "jsonnumber.h"
#include "jsonreader.h"
#include "jsonwriter.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

namespace {

// The same document, number by number: an integer stays an integer of the same value, and a
// double reads back as the same double, though it may come back held as an integer (a double
// with a whole value is written as digits; Qt's containers, unlike QJsonValue, compare the
// storage too).
bool sameJson(const QJsonValue &written, const QJsonValue &read) {
    if (written.type() != read.type()) {
        return false;
    }
    if (written.isArray()) {
        const QJsonArray a = written.toArray();
        const QJsonArray b = read.toArray();
        if (a.size() != b.size()) {
            return false;
        }
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (!sameJson(a.at(i), b.at(i))) {
                return false;
            }
        }
        return true;
    }
    if (written.isObject()) {
        const QJsonObject a = written.toObject();
        const QJsonObject b = read.toObject();
        if (a.keys() != b.keys()) {
            return false;
        }
        for (auto it = a.begin(); it != a.end(); ++it) {
            if (!sameJson(it.value(), b.value(it.key()))) {
                return false;
            }
        }
        return true;
    }
    if (written.isDouble() && zorv::isIntegerStorage(written)) {
        return zorv::isIntegerStorage(read) && written.toInteger() == read.toInteger();
    }
    return written == read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QJsonValue value;
    try {
        value = zorv::parseJson(bytes);
    } catch (const zorv::DecodeError &) {
        return 0;
    }
    for (const zorv::JsonFormat format : {zorv::JsonFormat::compact(), zorv::JsonFormat::pretty(),
                                          zorv::JsonFormat::pretty().withEscapedSlashes()}) {
        const auto written = zorv::writeJson(value, format);
        FUZZ_CHECK(written.has_value());
        const QJsonValue again = zorv::parseJson(*written);
        FUZZ_CHECK(sameJson(value, again));
        FUZZ_CHECK(zorv::writeJson(again, format) == written);
    }
    return 0;
}
