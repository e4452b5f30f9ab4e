#pragma once

#include "jsondates.h"
#include "jsonreader.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// Small value types standing in for the real records: nested objects three levels deep, arrays of
// scalars and of objects, a date and a number that can be made non-finite.
namespace zorv::storetest {

using namespace Qt::StringLiterals;

struct Leaf {
    int level = 3;
    QString note = u"deep"_s;

    bool operator==(const Leaf &) const = default;
    static Leaf fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        return {object.required(u"level").toInt<int>(), object.required(u"note").toString()};
    }
    [[nodiscard]] QJsonValue toJson() const {
        return QJsonObject{{u"level"_s, level}, {u"note"_s, note}};
    }
};

struct Inner {
    bool flag = true;
    QList<QString> tags{u"a"_s, u"b"_s, u"c"_s};
    Leaf leaf;

    bool operator==(const Inner &) const = default;
    static Inner fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        const auto tags = object.required(u"tags").toArray().map<QString>();
        return {object.required(u"flag").toBool(), QList<QString>(tags.begin(), tags.end()),
                object.required<Leaf>(u"leaf")};
    }
    [[nodiscard]] QJsonValue toJson() const {
        return QJsonObject{{u"flag"_s, flag},
                           {u"tags"_s, QJsonArray::fromStringList(tags)},
                           {u"leaf"_s, leaf.toJson()}};
    }
};

struct Entry {
    QString id;
    int size = 0;

    bool operator==(const Entry &) const = default;
    static Entry fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        return {object.required(u"id").toString(), object.required(u"size").toInt<int>()};
    }
    [[nodiscard]] QJsonValue toJson() const {
        return QJsonObject{{u"id"_s, id}, {u"size"_s, size}};
    }
};

struct Record {
    QString name = u"default"_s;
    int count = 0;
    double ratio = 0.5;
    Inner inner;
    QList<Entry> entries;
    std::optional<QDateTime> seen;

    bool operator==(const Record &) const = default;
    static Record fromJson(const JsonValueRef &json) {
        const JsonObjectRef object = json.toObject();
        Record record;
        record.name = object.required(u"name").toString();
        record.count = object.required(u"count").toInt<int>();
        record.ratio = object.required(u"ratio").toDouble();
        record.inner = object.required<Inner>(u"inner");
        const auto entries = object.required(u"entries").toArray().map<Entry>();
        record.entries = QList<Entry>(entries.begin(), entries.end());
        if (const auto seen = object.optional(u"seen")) {
            record.seen = seen->toDate();
        }
        return record;
    }
    [[nodiscard]] QJsonValue toJson(DateForm form) const {
        QJsonArray array;
        for (const Entry &entry : entries) {
            array.append(entry.toJson());
        }
        QJsonObject object{{u"name"_s, name},
                           {u"count"_s, count},
                           {u"ratio"_s, ratio},
                           {u"inner"_s, inner.toJson()},
                           {u"entries"_s, array}};
        if (seen) {
            object.insert(u"seen"_s, dateJson(*seen, form));
        }
        return object;
    }
};

// A value stored as a JSON array at the top level, like the layout.
struct Names {
    QList<QString> names{u"a"_s, u"b"_s};

    bool operator==(const Names &) const = default;
    static Names fromJson(const JsonValueRef &json) {
        const auto names = json.toArray().map<QString>();
        return {QList<QString>(names.begin(), names.end())};
    }
    [[nodiscard]] QJsonValue toJson() const { return QJsonArray::fromStringList(names); }
};

} // namespace zorv::storetest
