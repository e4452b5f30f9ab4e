#pragma once

// What a store does with its file at start, in memory: the bytes are parsed, laid over the encoded
// defaults and decoded strictly. A file that loads must write (in the store's pretty form) a file
// that loads again, and from then on the value and its file stay the same.
#include "decodeerror.h"
#include "fuzzcheck.h"
#include "jsonreader.h"
#include "jsonwriter.h"
#include "storage/jsonmerge.h"
#include "storage/storevalue.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zorv::fuzz {

template <StoreValue Value> std::optional<Value> loadStore(const QByteArray &bytes) {
    try {
        return fromStoreJson<Value>(deepMerge(toStoreJson(Value{}), parseJson(bytes)));
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

template <StoreValue Value> QByteArray storeFile(const Value &value) {
    const auto bytes = writeJson(toStoreJson(value), JsonFormat::pretty());
    FUZZ_CHECK(bytes.has_value());
    return *bytes;
}

template <StoreValue Value> int fuzzStore(const std::uint8_t *data, std::size_t size) {
    const auto loaded =
        loadStore<Value>(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!loaded) {
        return 0;
    }
    const QByteArray first = storeFile(*loaded);
    const auto reloaded = loadStore<Value>(first);
    FUZZ_CHECK(reloaded.has_value());
    const QByteArray second = storeFile(*reloaded);
    FUZZ_CHECK(second == first);
    const auto third = loadStore<Value>(second);
    FUZZ_CHECK(third.has_value() && *third == *reloaded);
    return 0;
}

} // namespace zorv::fuzz
