#include "jsonwriter.h"

#include "jsonnumber.h"
#include "jsonreader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

namespace zorv {

namespace {

class Writer {
public:
    explicit Writer(JsonFormat format) : m_format(format) {}

    bool write(const QJsonValue &value, int depth) {
        switch (value.type()) {
        case QJsonValue::Null:
            m_out += "null";
            return true;
        case QJsonValue::Bool:
            m_out += value.toBool() ? "true" : "false";
            return true;
        case QJsonValue::Double: {
            const auto text = jsonNumberText(value);
            if (!text) {
                return false;
            }
            m_out += *text;
            return true;
        }
        case QJsonValue::String:
            writeString(value.toString());
            return true;
        case QJsonValue::Array:
            return depth < kMaxJsonNesting && writeArray(value.toArray(), depth + 1);
        case QJsonValue::Object:
            return depth < kMaxJsonNesting && writeObject(value.toObject(), depth + 1);
        case QJsonValue::Undefined:
            break;
        }
        return false;
    }

    [[nodiscard]] QByteArray take() { return std::move(m_out); }

private:
    [[nodiscard]] bool pretty() const { return m_format.layout == JsonFormat::Layout::Pretty; }

    void newLine(int depth) {
        if (pretty()) {
            m_out += '\n';
            m_out.append(2 * depth, ' ');
        }
    }

    bool writeArray(const QJsonArray &array, int depth) {
        if (array.isEmpty()) {
            m_out += "[]";
            return true;
        }
        m_out += '[';
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (i > 0) {
                m_out += ',';
            }
            newLine(depth);
            if (!write(array.at(i), depth)) {
                return false;
            }
        }
        newLine(depth - 1);
        m_out += ']';
        return true;
    }

    bool writeObject(const QJsonObject &object, int depth) {
        if (object.isEmpty()) {
            m_out += "{}";
            return true;
        }
        // QJsonObject happens to keep its keys in this order already; sorting here keeps the
        // bytes canonical without relying on that.
        QStringList keys = object.keys();
        std::sort(keys.begin(), keys.end());
        m_out += '{';
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (i > 0) {
                m_out += ',';
            }
            newLine(depth);
            writeString(keys.at(i));
            m_out += pretty() ? " : " : ":";
            if (!write(object.value(keys.at(i)), depth)) {
                return false;
            }
        }
        newLine(depth - 1);
        m_out += '}';
        return true;
    }

    void writeString(QStringView text) {
        m_out += '"';
        qsizetype runStart = 0;
        const auto flushRun = [&](qsizetype end) {
            if (end > runStart) {
                m_out += text.sliced(runStart, end - runStart).toUtf8();
            }
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
                continue;
            }
            const QByteArray escape = escapeFor(c);
            if (!escape.isEmpty()) {
                flushRun(i);
                m_out += escape;
                runStart = i + 1;
            }
        }
        flushRun(text.size());
        m_out += '"';
    }

    // The escape for one UTF-16 code unit, or empty when it is written as it is. Surrogates that
    // reach here are lone ones.
    [[nodiscard]] QByteArray escapeFor(QChar c) const {
        switch (c.unicode()) {
        case u'"':
            return "\\\"";
        case u'\\':
            return "\\\\";
        case u'/':
            return m_format.escapeSlashes ? "\\/" : QByteArray();
        case u'\b':
            return "\\b";
        case u'\f':
            return "\\f";
        case u'\n':
            return "\\n";
        case u'\r':
            return "\\r";
        case u'\t':
            return "\\t";
        default:
            break;
        }
        if (c.unicode() < 0x20 || c.isSurrogate() || c.unicode() == 0xFEFF) {
            return "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        }
        return {};
    }

    JsonFormat m_format;
    QByteArray m_out;
};

} // namespace

std::optional<QByteArray> writeJson(const QJsonValue &value, JsonFormat format) {
    Writer writer(format);
    if (!writer.write(value, 0)) {
        return std::nullopt;
    }
    return writer.take();
}

} // namespace zorv
