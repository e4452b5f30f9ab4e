#include "jsonreader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A strict reader of RFC 8259 JSON text. Qt's own parser accepts more than the grammar (invalid
// escapes, raw control characters, ".5"), reads a few values differently (a leading U+FEFF in a
// string is dropped, integers below -2^63 become -2^63) and orders object keys differently from
// QJsonObject's look-up when a key holds a lone surrogate. Objects are built through
// QJsonObject::insert, so the order the parser leaves is the order look-up expects.
class Parser {
public:
    explicit Parser(const QByteArray &bytes)
        : m_at(bytes.constData()), m_begin(bytes.constData()),
          m_end(bytes.constData() + bytes.size()) {}

    QJsonValue document() {
        // A byte order mark before the document is tolerated, as some editors add one.
        if (m_end - m_at >= 3 && std::string_view(m_at, 3) == "\xEF\xBB\xBF") {
            m_at += 3;
        }
        skipWhiteSpace();
        if (m_at == m_end || (*m_at != '{' && *m_at != '[')) {
            invalid(u"expected an object or an array"_s);
        }
        QJsonValue root = value(0);
        skipWhiteSpace();
        if (m_at != m_end) {
            invalid(u"unexpected text after the document"_s);
        }
        return root;
    }

private:
    [[noreturn]] void invalid(const QString &what) const {
        throw DecodeError(u"$"_s, u"The data is not valid JSON (%1 at offset %2)."_s.arg(
                                      what, QString::number(m_at - m_begin)));
    }

    [[nodiscard]] int peek() const { return m_at == m_end ? -1 : static_cast<uchar>(*m_at); }

    void skipWhiteSpace() {
        while (m_at != m_end && (*m_at == ' ' || *m_at == '\t' || *m_at == '\n' || *m_at == '\r')) {
            ++m_at;
        }
    }

    void expect(char c, const char *what) {
        skipWhiteSpace();
        if (peek() != static_cast<uchar>(c)) {
            invalid(QString::fromLatin1(what));
        }
        ++m_at;
    }

    bool consumeComma() {
        skipWhiteSpace();
        if (peek() != ',') {
            return false;
        }
        ++m_at;
        return true;
    }

    QJsonValue value(int depth) {
        skipWhiteSpace();
        switch (peek()) {
        case '{':
            return object(depth + 1);
        case '[':
            return array(depth + 1);
        case '"':
            return string();
        case 't':
            return literal("true", true);
        case 'f':
            return literal("false", false);
        case 'n':
            return literal("null", QJsonValue(QJsonValue::Null));
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9')) {
                return number();
            }
            invalid(u"expected a value"_s);
        }
    }

    QJsonValue literal(std::string_view word, const QJsonValue &result) {
        if (m_end - m_at < static_cast<qsizetype>(word.size()) ||
            std::string_view(m_at, word.size()) != word) {
            invalid(u"expected a value"_s);
        }
        m_at += word.size();
        return result;
    }

    void checkDepth(int depth) const {
        if (depth > kMaxJsonNesting) {
            throw DecodeError(
                u"$"_s, u"The document is nested deeper than %1 levels."_s.arg(kMaxJsonNesting));
        }
    }

    QJsonValue object(int depth) {
        checkDepth(depth);
        ++m_at;
        QList<std::pair<QString, QJsonValue>> members;
        skipWhiteSpace();
        if (peek() == '}') {
            ++m_at;
            return QJsonObject();
        }
        while (true) {
            skipWhiteSpace();
            if (peek() != '"') {
                invalid(u"expected a key"_s);
            }
            QString key = string();
            expect(':', "expected a colon");
            members.emplaceBack(std::move(key), value(depth));
            if (!consumeComma()) {
                break;
            }
        }
        expect('}', "expected a comma or the end of the object");
        // Inserted in key order, each insertion lands at the end instead of moving the members
        // after it. The sort is stable and a repeated key keeps its last value.
        std::stable_sort(members.begin(), members.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        QJsonObject result;
        for (const auto &[key, member] : std::as_const(members)) {
            result.insert(key, member);
        }
        return result;
    }

    QJsonValue array(int depth) {
        checkDepth(depth);
        ++m_at;
        QJsonArray result;
        skipWhiteSpace();
        if (peek() == ']') {
            ++m_at;
            return result;
        }
        do {
            result.append(value(depth));
        } while (consumeComma());
        expect(']', "expected a comma or the end of the array");
        return result;
    }

    QString string() {
        ++m_at; // the opening quote
        QString result;
        while (true) {
            const int c = peek();
            if (c < 0) {
                invalid(u"unterminated string"_s);
            }
            if (c == '"') {
                ++m_at;
                return result;
            }
            if (c < 0x20) {
                invalid(u"control character in a string"_s);
            }
            if (c == '\\') {
                escape(result);
            } else if (c < 0x80) {
                const char *run = m_at;
                while (m_at != m_end && static_cast<uchar>(*m_at) < 0x80 && *m_at >= 0x20 &&
                       *m_at != '"' && *m_at != '\\') {
                    ++m_at;
                }
                result.append(QLatin1StringView(run, m_at - run));
            } else {
                utf8Sequence(result);
            }
        }
    }

    void escape(QString &into) {
        ++m_at;
        const int c = peek();
        static constexpr std::string_view simple = "\"\\/bfnrt";
        static constexpr std::u16string_view meaning = u"\"\\/\b\f\n\r\t";
        if (const auto found = simple.find(static_cast<char>(c));
            c > 0 && found != std::string_view::npos) {
            into.append(QChar(meaning[found]));
            ++m_at;
            return;
        }
        if (c != 'u') {
            invalid(u"invalid escape sequence"_s);
        }
        ++m_at;
        char16_t unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = peek();
            int nibble = -1;
            if (digit >= '0' && digit <= '9') {
                nibble = digit - '0';
            } else if (digit >= 'a' && digit <= 'f') {
                nibble = digit - 'a' + 10;
            } else if (digit >= 'A' && digit <= 'F') {
                nibble = digit - 'A' + 10;
            }
            if (nibble < 0) {
                invalid(u"invalid \\u escape"_s);
            }
            unit = char16_t(unit * 16 + nibble);
            ++m_at;
        }
        // A lone surrogate stays as it is: the writer escapes it again, so it round-trips.
        into.append(QChar(unit));
    }

    // One multi-byte UTF-8 sequence; overlong forms, encoded surrogates and code points beyond
    // U+10FFFF are refused.
    void utf8Sequence(QString &into) {
        const int lead = peek();
        int length = 0;
        char32_t code = 0;
        int low = 0x80;
        int high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            invalid(u"invalid UTF-8"_s);
        }
        for (int i = 1; i < length; ++i) {
            const int next = m_end - m_at > i ? static_cast<uchar>(m_at[i]) : -1;
            if (next < low || next > high) {
                invalid(u"invalid UTF-8"_s);
            }
            code = (code << 6) | (next & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        m_at += length;
        const QChar units[2] = {QChar::highSurrogate(code), QChar::lowSurrogate(code)};
        if (QChar::requiresSurrogates(code)) {
            into.append(units, 2);
        } else {
            into.append(QChar(char16_t(code)));
        }
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)? exactly. A number with an integral value
    // within the 64-bit range is held as an integer however it is written ("20", "2e1", "20.0"),
    // anything else as a double; a magnitude too small for a double reads as 0, one too large is
    // refused.
    QJsonValue number() {
        const char *start = m_at;
        const bool negative = peek() == '-';
        if (negative) {
            ++m_at;
        }
        const char *integerStart = m_at;
        if (peek() == '0') {
            ++m_at;
        } else if (!skipDigits()) {
            invalid(u"invalid number"_s);
        }
        const char *integerEnd = m_at;
        const char *fractionStart = m_at;
        const char *fractionEnd = m_at;
        if (peek() == '.') {
            ++m_at;
            fractionStart = m_at;
            if (!skipDigits()) {
                invalid(u"invalid number"_s);
            }
            fractionEnd = m_at;
        }
        qint64 exponent = 0;
        if (peek() == 'e' || peek() == 'E') {
            ++m_at;
            const bool negativeExponent = peek() == '-';
            if (peek() == '-' || peek() == '+') {
                ++m_at;
            }
            const char *exponentStart = m_at;
            if (!skipDigits()) {
                invalid(u"invalid number"_s);
            }
            // Saturates far beyond any double's range, so an absurd exponent cannot overflow.
            for (const char *p = exponentStart; p != m_at && exponent < 1'000'000'000; ++p) {
                exponent = exponent * 10 + (*p - '0');
            }
            exponent = negativeExponent ? -exponent : exponent;
        }

        if (m_at == integerEnd) {
            qint64 integer = 0;
            if (const auto parsed = std::from_chars(start, m_at, integer);
                parsed.ec == std::errc() && parsed.ptr == m_at) {
                return QJsonValue(integer);
            }
        }
        // The significant digits and the power of ten that scales them.
        QByteArray digits = QByteArray(integerStart, integerEnd - integerStart) +
                            QByteArray(fractionStart, fractionEnd - fractionStart);
        qint64 scale = exponent - (fractionEnd - fractionStart);
        digits.remove(0, countLeading(digits, '0'));
        while (!digits.isEmpty() && digits.endsWith('0')) {
            digits.chop(1);
            ++scale;
        }
        if (digits.isEmpty()) {
            return QJsonValue(qint64(0));
        }
        if (const auto integer = exactInteger(digits, scale, negative)) {
            return QJsonValue(*integer);
        }
        double result = 0;
        const auto [end, error] = std::from_chars(start, m_at, result);
        const bool underflow = digits.size() + scale <= 0;
        if (error == std::errc::result_out_of_range && underflow) {
            return QJsonValue(negative ? -0.0 : 0.0);
        }
        if (error != std::errc() || end != m_at || !std::isfinite(result)) {
            m_at = start;
            invalid(u"number out of range"_s);
        }
        return QJsonValue(result);
    }

    static qsizetype countLeading(const QByteArray &text, char c) {
        qsizetype count = 0;
        while (count < text.size() && text.at(count) == c) {
            ++count;
        }
        return count;
    }

    // digits * 10^scale when that is a whole number within the 64-bit range.
    static std::optional<qint64> exactInteger(const QByteArray &digits, qint64 scale,
                                              bool negative) {
        if (scale < 0 || digits.size() + scale > 19) {
            return std::nullopt;
        }
        // Accumulated as a negative number, whose range reaches -2^63.
        qint64 value = 0;
        const auto step = [&value](int digit) {
            return !__builtin_mul_overflow(value, 10, &value) &&
                   !__builtin_sub_overflow(value, digit, &value);
        };
        for (const char c : digits) {
            if (!step(c - '0')) {
                return std::nullopt;
            }
        }
        for (qint64 i = 0; i < scale; ++i) {
            if (!step(0)) {
                return std::nullopt;
            }
        }
        if (negative) {
            return value;
        }
        if (value == std::numeric_limits<qint64>::min()) {
            return std::nullopt;
        }
        return -value;
    }

    bool skipDigits() {
        const char *start = m_at;
        while (m_at != m_end && *m_at >= '0' && *m_at <= '9') {
            ++m_at;
        }
        return m_at != start;
    }

    const char *m_at;
    const char *m_begin;
    const char *m_end;
};

} // namespace

QJsonValue parseJson(const QByteArray &bytes) {
    return Parser(bytes).document();
}

} // namespace zorv
