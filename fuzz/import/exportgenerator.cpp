#include "exportgenerator.h"

#include "jsonreader.h"
#include "jsonwriter.h"
#include "transfer/settingsbundle.h"

#include <QJsonArray>
#include <QUuid>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv::fuzz {

namespace {

constexpr qint64 kLimit = SettingsBundle::kMaxDocumentBytes;
// Marks an object whose text is spliced in after writing (one with a duplicated key).
const QString kSplice = u"\u0001splice %1\u0001"_s;

qsizetype countNodes(const QJsonValue &value) {
    qsizetype count = 1;
    if (value.isArray()) {
        for (const QJsonValue &element : value.toArray()) {
            count += countNodes(element);
        }
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            count += countNodes(it.value());
        }
    }
    return count;
}

// The document with the node at pre-order position `target` replaced by `replace(node)`.
QJsonValue replaceNode(const QJsonValue &value, qsizetype &target,
                       const std::function<QJsonValue(const QJsonValue &)> &replace) {
    if (target-- == 0) {
        return replace(value);
    }
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size() && target >= 0; ++i) {
            array[i] = replaceNode(array.at(i), target, replace);
        }
        return array;
    }
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (const QString &key : object.keys()) {
            if (target < 0) {
                break;
            }
            object[key] = replaceNode(object.value(key), target, replace);
        }
        return object;
    }
    return value;
}

QByteArray compact(const QJsonValue &value) {
    return writeJson(value, JsonFormat::compact()).value_or(QByteArray("{}"));
}

} // namespace

ExportGenerator::ExportGenerator(QList<QJsonObject> seeds, quint64 seed)
    : m_seeds(std::move(seeds)), m_random(seed) {}

ExportGenerator::File ExportGenerator::next() {
    File file;
    if (chance(0.001)) {
        file.bytes = largeSetup(file.recipe);
        if (chance(0.5)) {
            file.bytes = mutateBytes(file.bytes, file.recipe);
        }
        return file;
    }
    if (chance(0.01)) {
        file.bytes = aroundTheLimit(file.recipe);
        return file;
    }
    QJsonObject document = m_seeds.at(below(int(m_seeds.size())));
    if (chance(0.05)) {
        static const QStringList formats{u"zorv-settings-v0"_s, u"zorv-settings-v2"_s, u""_s,
                                         u"ZORV-SETTINGS-V1"_s, u"zorv-sync-v1"_s};
        document.insert(u"format"_s, formats.at(below(int(formats.size()))));
        file.recipe += u" format"_s;
    }
    // The mutations go to the seed before it is scaled up (walking a document of thousands of
    // profiles for each would cost more than the import), so the copies carry them.
    QJsonValue tree = document;
    const int mutations = chance(0.3) ? 0 : 1 + below(4);
    for (int i = 0; i < mutations; ++i) {
        tree = mutateTree(tree, file.recipe);
    }
    if (tree.isObject() && chance(0.25)) {
        tree = scaled(tree.toObject(), file.recipe);
    }
    QByteArray bytes = writeJson(tree, chance(0.5) ? JsonFormat::pretty() : JsonFormat::compact())
                           .value_or(compact(tree));
    // Objects with a duplicated key replace their placeholders, the latest first (an object may
    // hold an earlier one's placeholder).
    for (qsizetype i = m_splices.size() - 1; i >= 0; --i) {
        const QByteArray placeholder = compact(QJsonArray{kSplice.arg(i)}).mid(1).chopped(1);
        bytes.replace(placeholder, m_splices.at(i));
    }
    m_splices.clear();
    if (chance(0.12)) {
        bytes = mutateBytes(bytes, file.recipe);
    }
    file.bytes = bytes;
    return file;
}

QJsonObject ExportGenerator::scaled(QJsonObject document, QString &recipe) {
    // Thousands only now and then: such an import takes a while.
    static const int counts[] = {0, 1, 10, 100, 1000, 3000};
    const int profileCount = counts[chance(0.99) ? below(4) : 4 + below(2)];
    const int ruleCount = counts[chance(0.99) ? below(4) : 4 + below(2)];
    recipe += u" scaled(%1 profiles, %2 rules)"_s.arg(profileCount).arg(ruleCount);
    const QJsonArray profiles = document.value(u"profiles"_s)[u"profiles"_s].toArray();
    const QJsonArray rules = document.value(u"triggers"_s)[u"rules"_s].toArray();
    QJsonArray manyProfiles;
    for (int i = 0; i < profileCount && !profiles.isEmpty(); ++i) {
        QJsonObject profile = profiles.at(i % profiles.size()).toObject();
        profile.insert(u"id"_s, QUuid::createUuidV5(QUuid(), QString::number(i))
                                    .toString(QUuid::WithoutBraces)
                                    .toUpper());
        profile.insert(u"name"_s, u"Profile %1"_s.arg(i));
        manyProfiles.append(profile);
    }
    QJsonArray manyRules;
    for (int i = 0; i < ruleCount && !rules.isEmpty(); ++i) {
        QJsonObject rule = rules.at(i % rules.size()).toObject();
        rule.insert(u"id"_s, QUuid::createUuidV5(QUuid(), u"rule %1"_s.arg(i))
                                 .toString(QUuid::WithoutBraces)
                                 .toUpper());
        rule.insert(u"name"_s, u"Rule %1"_s.arg(i));
        manyRules.append(rule);
    }
    document.insert(u"profiles"_s, QJsonObject{{u"profiles"_s, manyProfiles}});
    document.insert(u"triggers"_s, QJsonObject{{u"rules"_s, manyRules}});
    return document;
}

QJsonValue ExportGenerator::mutateTree(const QJsonValue &document, QString &recipe) {
    qsizetype target = below(int(countNodes(document)));
    const int kind = below(8);
    static const char *const names[] = {"wrong-type", "drop-key", "unknown-key",   "huge-string",
                                        "deep-nest",  "number",   "duplicate-key", "null"};
    recipe += u' ' + QString::fromLatin1(names[kind]);
    return replaceNode(document, target, [this, kind](const QJsonValue &node) -> QJsonValue {
        switch (kind) {
        case 0:
            return wrongValue(node);
        case 1: {
            QJsonObject object = node.toObject();
            if (!node.isObject() || object.isEmpty()) {
                return node;
            }
            object.remove(object.keys().at(below(int(object.size()))));
            return object;
        }
        case 2: {
            if (!node.isObject()) {
                return node;
            }
            QJsonObject object = node.toObject();
            object.insert(u"optionOfALaterVersion%1"_s.arg(below(3)), wrongValue(node));
            return object;
        }
        case 3: {
            // Megabytes only now and then: such an import takes a while.
            static const qsizetype lengths[] = {1000, 10'000, 100'000, 1'000'000, 4'000'000};
            return randomText(lengths[chance(0.9) ? below(3) : 3 + below(2)]);
        }
        case 4: {
            QJsonValue nested = node;
            const int depth = 150 + below(110);
            for (int i = 0; i < depth; ++i) {
                nested = chance(0.5) ? QJsonValue(QJsonArray{nested})
                                     : QJsonValue(QJsonObject{{u"_0"_s, nested}});
            }
            return nested;
        }
        case 5: {
            static const double numbers[] = {1e308, -1e308,       9.3e18,  -9.3e18, 1.5,
                                             -0.0,  4294967296.0, 65536.0, -1,      1e-300};
            if (chance(0.3)) {
                return QJsonValue(chance(0.5) ? std::numeric_limits<qint64>::max()
                                              : std::numeric_limits<qint64>::min());
            }
            return numbers[below(10)];
        }
        case 6:
            return node.isObject() ? QJsonValue(duplicatedKey(node.toObject())) : node;
        default:
            return QJsonValue(QJsonValue::Null);
        }
    });
}

QString ExportGenerator::duplicatedKey(const QJsonObject &object) {
    const QByteArray text = compact(object);
    QByteArray spliced;
    if (object.isEmpty()) {
        spliced = R"({"a":1,"a":{}})";
    } else {
        const QString key = object.keys().at(below(int(object.size())));
        const QByteArray member =
            compact(QJsonArray{key}).mid(1).chopped(1) + ':' +
            compact(QJsonArray{wrongValue(object.value(key))}).mid(1).chopped(1);
        // Before the real member (which then wins) or after it (which then loses).
        spliced =
            chance(0.5) ? '{' + member + ',' + text.mid(1) : text.chopped(1) + ',' + member + '}';
    }
    m_splices.append(spliced);
    return kSplice.arg(m_splices.size() - 1);
}

QJsonValue ExportGenerator::wrongValue(const QJsonValue &original) {
    for (;;) {
        QJsonValue candidate;
        switch (below(7)) {
        case 0:
            candidate = QJsonValue(QJsonValue::Null);
            break;
        case 1:
            candidate = chance(0.5);
            break;
        case 2:
            candidate = below(100) - 10;
            break;
        case 3:
            candidate = randomText(below(40));
            break;
        case 4:
            candidate = QJsonArray{randomText(4), 1};
            break;
        case 5:
            candidate = QJsonObject{{u"_0"_s, randomText(4)}};
            break;
        default:
            candidate = QUuid::createUuid().toString(QUuid::WithoutBraces);
            break;
        }
        if (candidate.type() != original.type()) {
            return candidate;
        }
    }
}

QString ExportGenerator::randomText(qsizetype length) {
    // Quotes, back slashes, control characters, line separators and a lone surrogate included.
    static const char16_t alphabet[] = {u'a', u'b', u'c', u'X', u'Y', u'Z', u'0', u'1', u'9',
                                        u' ', u'_', u'-', u'.', u'#', u'/', u'\\', u'"', u'\t',
                                        0x00E9, 0x4E2D, 0x2028, 0xFEFF, 0xD83D};
    // Megabytes of text repeat a random block, which makes them quickly.
    constexpr qsizetype kBlock = 4096;
    QString block(std::min(length, kBlock), Qt::Uninitialized);
    for (qsizetype i = 0; i < block.size(); ++i) {
        block[i] = QChar(alphabet[below(int(std::size(alphabet)))]);
    }
    return block.repeated(int(length / std::max<qsizetype>(block.size(), 1)))
        .append(block.left(length % std::max<qsizetype>(block.size(), 1)));
}

QByteArray ExportGenerator::mutateBytes(QByteArray bytes, QString &recipe) {
    const int edits = 1 + below(6);
    for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
        const qsizetype at = qsizetype(m_random() % quint64(bytes.size()));
        switch (below(5)) {
        case 0:
            bytes[at] = char(bytes.at(at) ^ (1 << below(8)));
            recipe += u" flip"_s;
            break;
        case 1:
            bytes.insert(at, char(m_random() & 0xFF));
            recipe += u" insert"_s;
            break;
        case 2:
            bytes.remove(at, 1 + below(16));
            recipe += u" delete"_s;
            break;
        case 3:
            bytes.truncate(at);
            recipe += u" truncate"_s;
            break;
        default:
            bytes.insert(at, bytes.mid(at, 1 + below(64)));
            recipe += u" repeat"_s;
            break;
        }
    }
    return bytes;
}

QByteArray ExportGenerator::aroundTheLimit(QString &recipe) {
    // A valid document padded with white space to the limit, one byte either side of it, and
    // far over it.
    const QByteArray document = compact(m_seeds.at(below(int(m_seeds.size()))));
    static const qint64 sizes[] = {kLimit - 1, kLimit, kLimit + 1, 3 * kLimit};
    const qint64 size = sizes[below(4)];
    recipe += u" padded to %1 bytes"_s.arg(size);
    QByteArray bytes = document;
    bytes.append(QByteArray(size - bytes.size(), ' '));
    return bytes;
}

QByteArray ExportGenerator::largeSetup(QString &recipe) {
    if (m_largeSetup.isEmpty()) {
        // Profiles each with a layout of a few hundred items, until the compact document is just
        // under the limit; the pretty form of the same setup is well over it.
        QJsonObject document = m_seeds.first();
        QJsonArray items;
        for (int i = 0; i < 300; ++i) {
            items.append(
                QJsonObject{{u"bundleID"_s, u"com.example.app%1"_s.arg(i)}, {u"ordinal"_s, i % 3}});
        }
        const QJsonArray layout{QJsonObject{{u"section"_s, u"hidden"_s}, {u"ids"_s, items}}};
        const qsizetype profileBytes =
            compact(QJsonObject{{u"id"_s, QUuid().toString(QUuid::WithoutBraces)},
                                {u"name"_s, u"Profile 0000"_s},
                                {u"layout"_s, layout}})
                .size();
        const qsizetype count = (kLimit - compact(document).size() - 4096) / (profileBytes + 1);
        QJsonArray profiles;
        for (qsizetype i = 0; i < count; ++i) {
            profiles.append(
                QJsonObject{{u"id"_s, QUuid::createUuidV5(QUuid(), QString::number(i))
                                          .toString(QUuid::WithoutBraces)
                                          .toUpper()},
                            {u"name"_s, u"Profile %1"_s.arg(qlonglong(i), 4, 10, QChar(u'0'))},
                            {u"layout"_s, layout}});
        }
        document.insert(u"profiles"_s, QJsonObject{{u"profiles"_s, profiles}});
        m_largeSetup = compact(document);
    }
    recipe += u" large setup (%1 bytes)"_s.arg(m_largeSetup.size());
    return m_largeSetup;
}

} // namespace zorv::fuzz
