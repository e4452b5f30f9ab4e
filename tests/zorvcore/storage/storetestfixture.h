#pragma once

#include "jsondates.h"
#include "jsonreader.h"
#include "manualclock.h"
#include "recordingsystemlog.h"
#include "storage/jsonstore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zorv::storetest {

using namespace Qt::StringLiterals;

// A value standing in for the real records: a nested object holding an array, a number that can
// be made non-finite, and a date.
struct Record {
    double value = 0;
    int level = 3;                    // "inner"."level"
    QStringList tags{u"a"_s, u"b"_s}; // "inner"."tags"
    std::optional<QDateTime> seen{};

    bool operator==(const Record &) const = default;
    static Record fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        const JsonObjectRef inner = object.required(u"inner").toObject();
        const auto seen = object.optional(u"seen");
        return {object.required(u"value").toDouble(), inner.required(u"level").toInt<int>(),
                inner.required(u"tags").toArray().map<QString>(),
                seen ? std::optional(seen->toDate()) : std::nullopt};
    }
    [[nodiscard]] QJsonValue toJson(DateForm form) const {
        const QJsonObject inner{{u"level"_s, level}, {u"tags"_s, QJsonArray::fromStringList(tags)}};
        QJsonObject object{{u"value"_s, value}, {u"inner"_s, inner}};
        if (seen) {
            object.insert(u"seen"_s, dateJson(*seen, form));
        }
        return object;
    }
};

// A fresh folder, a manual clock and a recording system log for each test.
class StoreTest : public ::testing::Test {
protected:
    static constexpr auto kDebounce = std::chrono::milliseconds(400);
    inline static const QString kFile = u"settings.json"_s;
    // The quarantine name at the manual clock's start.
    inline static const QString kQuarantine = u"settings.json.unreadable-1796115600"_s;

    [[nodiscard]] QString pathOf(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    [[nodiscard]] QByteArray readFile(const QString &name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    [[nodiscard]] QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    // The "value" in the store file; -1 when there is no file.
    [[nodiscard]] double storedValue() const {
        return QJsonDocument::fromJson(readFile(kFile)).object().value(u"value"_s).toDouble(-1);
    }

    // Removes the store file and checks that no write is still on its way.
    void expectNoLaterWrite() {
        QFile::remove(pathOf(kFile));
        m_clock.advance(std::chrono::seconds(5));
        EXPECT_EQ(storedValue(), -1);
    }

    [[nodiscard]] std::unique_ptr<JSONStore<Record>> makeStore(const QString &name = kFile) {
        return std::make_unique<JSONStore<Record>>(name, Record{}, kDebounce, m_dir.path(), m_clock,
                                                   m_log);
    }

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingSystemLog m_log;
};

} // namespace zorv::storetest
