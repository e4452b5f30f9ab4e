#pragma once

#include "jsonstorebase.h"
#include "storevalue.h"

#include <QDateTime>
#include <QDir>

#include <concepts>
#include <utility>

namespace zorv {

class SystemLog;

// Keeps one value in one JSON file ("settings.json", "layout.json", ...). The file is read once,
// at construction: keys it lacks are filled in from the default at every depth of nested objects
// (arrays and scalars of the file win whole), so an older file keeps working after the value type
// grows. From then on reads come from memory: a value handed to the store is its value at once,
// and the file follows `debounce` after the last change, so a burst of edits costs one write (a
// change superseded by a newer one is never written). Writes go to a temporary file renamed into
// place, pretty-printed with sorted keys, dates as seconds since 2001.
//
// A missing file silently means the default. A file that is there but cannot be read or decoded
// is moved aside to "<file>.unreadable-<Unix seconds>" and the store starts from the default,
// with a line in the system log. When even that move fails, the store starts from the default
// all the same and the next write replaces the file; the log line says so.
//
// Main thread only. Destroying the store cancels a pending write: flush first when the last
// change must reach the disk.
template <StoreValue Value> class JSONStore final : public JSONStoreBase {
public:
    JSONStore(const QString &fileName, const Value &defaultValue, Duration debounce,
              const QString &directory, Clock &clock, SystemLog &log)
        : JSONStoreBase(directory, fileName, debounce, clock), m_value(defaultValue) {
        setLoadOutcome(load(path(), defaultValue, clock.wallNow(), log, m_value));
    }

    [[nodiscard]] const Value &value() const { return m_value; }

    // Lets `change` edit a copy of the value, adopts the copy and schedules a write (even when
    // nothing changed).
    template <std::invocable<Value &> Change> void update(Change &&change) {
        Value copy = m_value;
        std::forward<Change>(change)(copy);
        m_value = std::move(copy);
        scheduleWrite();
    }

    void set(Value value) {
        m_value = std::move(value);
        scheduleWrite();
    }

    // Writes `value` now and adopts it once it is on disk. Throws StoreError when it cannot be
    // written; the store (value, file and any pending write) is then as it was.
    void replaceAndFlush(Value value) {
        writeOrThrow(toStoreJson(value));
        cancelPendingWrite();
        m_value = std::move(value);
    }

    // Puts back what fileImage() took: the file's exact bytes (or no file) when the image is
    // exact, else `value` written afresh; then takes `value` as the store's value. Throws
    // StoreError when the file cannot be put back; the store is then as it was.
    void restore(const FileImage &image, Value value) {
        if (image.exact) {
            restoreOrThrow(image);
        } else {
            writeOrThrow(toStoreJson(value));
        }
        cancelPendingWrite();
        m_value = std::move(value);
    }

    // Reads the file as a store would, without creating one (unreadable files are set aside the
    // same way, so a store created later finds no file and logs nothing). The quarantine name
    // takes the system's time, as there is no clock yet.
    [[nodiscard]] static Value peek(const QString &fileName, const Value &defaultValue,
                                    const QString &directory, SystemLog &log) {
        Value value = defaultValue;
        (void)load(QDir(directory).filePath(fileName), defaultValue,
                   QDateTime::currentDateTimeUtc(), log, value);
        return value;
    }

private:
    [[nodiscard]] QJsonValue currentJson() const override { return toStoreJson(m_value); }

    static StoreLoadOutcome load(const QString &path, const Value &defaultValue,
                                 const QDateTime &now, SystemLog &log, Value &into) {
        return loadStoreFile(
            path, toStoreJson(defaultValue),
            [&into](const QJsonValue &merged) { into = fromStoreJson<Value>(merged); }, now, log);
    }

    Value m_value;
};

} // namespace zorv
