#include "localedatetext.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// One piece of a Qt date-time pattern: a run of one field letter ("MMMM", "h", "ss"), or literal
// text (separators and quoted words, quotes kept).
struct PatternToken {
    QString text;
    QChar field; // null for literal text

    [[nodiscard]] bool isField() const { return !field.isNull(); }
};

bool isFieldLetter(QChar c) {
    return u"dMyhHmszaApPt"_s.contains(c);
}

QList<PatternToken> tokenize(const QString &pattern) {
    QList<PatternToken> tokens;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        qsizetype end = i + 1;
        if (c == u'\'') {
            end = pattern.indexOf(u'\'', i + 1);
            end = end < 0 ? pattern.size() : end + 1;
        } else if (isFieldLetter(c)) {
            while (end < pattern.size() && pattern.at(end) == c) {
                ++end;
            }
        } else {
            while (end < pattern.size() && pattern.at(end) != u'\'' &&
                   !isFieldLetter(pattern.at(end))) {
                ++end;
            }
        }
        const QString text = pattern.mid(i, end - i);
        tokens.append({text, isFieldLetter(c) ? c : QChar()});
        i = end;
    }
    return tokens;
}

// Consecutive literal tokens (a quoted word beside separators) made one, so that fields and
// literals alternate.
QList<PatternToken> mergeLiterals(const QList<PatternToken> &tokens) {
    QList<PatternToken> merged;
    for (const PatternToken &token : tokens) {
        if (!token.isField() && !merged.isEmpty() && !merged.constLast().isField()) {
            merged.last().text += token.text;
        } else {
            merged.append(token);
        }
    }
    return merged;
}

// Whether the pattern holds a letter Qt would print as it is rather than as a field: CLDR
// patterns use fields Qt does not know, such as "B" (a flexible day period: "B h:mm" in
// Taiwanese Chinese), and Qt would show the bare letter.
bool hasFieldQtCannotRender(const QList<PatternToken> &tokens) {
    return std::any_of(tokens.cbegin(), tokens.cend(), [](const PatternToken &token) {
        bool quoted = false;
        for (const QChar c : token.text) {
            quoted = quoted != (c == u'\'');
            if (!token.isField() && !quoted &&
                ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
                return true;
            }
        }
        return false;
    });
}

QString joined(const QList<PatternToken> &tokens) {
    QString pattern;
    for (const PatternToken &token : tokens) {
        pattern += token.text;
    }
    return pattern;
}

QString hourMinutePattern(const QLocale &locale) {
    const QList<PatternToken> tokens = tokenize(locale.timeFormat(QLocale::ShortFormat));
    if (hasFieldQtCannotRender(tokens)) {
        return u"HH:mm"_s;
    }
    // Drop seconds, fractions and the zone, each with the separator in front of it.
    QList<PatternToken> kept;
    for (const PatternToken &token : tokens) {
        if (token.field == u's' || token.field == u'z' || token.field == u't') {
            if (!kept.isEmpty() && !kept.constLast().isField()) {
                kept.removeLast();
            }
            continue;
        }
        kept.append(token);
    }
    return joined(kept).trimmed();
}

bool isMonthOrDay(const PatternToken &token) {
    return token.field == u'M' || (token.field == u'd' && token.text.size() <= 2);
}

// The part of the literal after the last month or day field that belongs to that field: a word or
// sign written against it ("일" in "d일", "日", the "." of "d."), or a space, a short word and a
// dot ("d 'd'." in Lithuanian). A separator that led on to the weekday or the year is not kept.
QString closingWord(const QString &literal) {
    static const QRegularExpression word(uR"(^(?:[^\s,،、;/\-]+|\s(?:'[^']*'|\p{L}+)\.))"_s);
    return word.match(literal).captured();
}

QString monthDayPattern(const QLocale &locale) {
    // The long date pattern with everything but month and day removed: the weekday and the year
    // go with the separators and words that lead to them ("yyyy년 ", ", yyyy", " yyyy 'г'."),
    // while what is written against the month or the day stays ("M월 d일", "d. MMMM").
    const QList<PatternToken> tokens =
        mergeLiterals(tokenize(locale.dateFormat(QLocale::LongFormat)));
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (isMonthOrDay(tokens.at(i))) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    QList<PatternToken> kept;
    // The literal after a kept field, held back until it is clear that another kept field follows.
    std::optional<PatternToken> separator;
    for (qsizetype i = first; first >= 0 && i <= last; ++i) {
        const PatternToken &token = tokens.at(i);
        if (isMonthOrDay(token)) {
            if (separator) {
                kept.append(*separator);
                separator.reset();
            }
            // Abbreviated month, day in default digits.
            const QString text = token.text == u"MMMM"_s ? u"MMM"_s
                                 : token.text == u"dd"_s ? u"d"_s
                                                         : token.text;
            kept.append({text, token.field});
        } else if (!token.isField() && isMonthOrDay(tokens.at(i - 1))) {
            separator = token;
        }
    }
    if (last >= 0 && last + 1 < tokens.size() && !tokens.at(last + 1).isField()) {
        kept.append({closingWord(tokens.at(last + 1).text), QChar()});
    }
    if (kept.isEmpty() || hasFieldQtCannotRender(kept)) {
        return u"MMM d"_s;
    }
    return joined(kept);
}

} // namespace

QString LocaleDateText::hourMinute(const QDateTime &dateTime, const QLocale &locale) {
    return locale.toString(dateTime, hourMinutePattern(locale));
}

QString LocaleDateText::monthDay(const QDateTime &dateTime, const QLocale &locale) {
    return locale.toString(dateTime, monthDayPattern(locale));
}

} // namespace zorv
