#include "localedatetext.h"

#include <QList>

#include <algorithm>

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

bool isLetters(const QString &text) {
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

QString hourMinutePattern(const QLocale &locale) {
    // Drop seconds, fractions and the zone, each with the separator in front of it.
    QList<PatternToken> kept;
    for (const PatternToken &token : tokenize(locale.timeFormat(QLocale::ShortFormat))) {
        if (token.field == u's' || token.field == u'z' || token.field == u't') {
            if (!kept.isEmpty() && !kept.constLast().isField()) {
                kept.removeLast();
            }
            continue;
        }
        kept.append(token);
    }
    QString pattern;
    for (const PatternToken &token : kept) {
        pattern += token.text;
    }
    return pattern.trimmed();
}

QString monthDayPattern(const QLocale &locale) {
    // The long date pattern holds month and day in the locale's order with its separators: keep
    // the span from the first to the last of them (dropping weekday and year around it), plus a
    // word that closes the day, as in "M月d日".
    const QList<PatternToken> tokens = tokenize(locale.dateFormat(QLocale::LongFormat));
    auto isMonthOrDay = [](const PatternToken &token) {
        return token.field == u'M' || (token.field == u'd' && token.text.size() <= 2);
    };
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (isMonthOrDay(tokens.at(i))) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    if (first < 0) {
        return u"MMM d"_s;
    }
    while (last + 1 < tokens.size() && !tokens.at(last + 1).isField() &&
           isLetters(tokens.at(last + 1).text)) {
        ++last;
    }
    QString pattern;
    for (qsizetype i = first; i <= last; ++i) {
        const PatternToken &token = tokens.at(i);
        pattern += token.text == u"MMMM"_s ? u"MMM"_s : token.text;
    }
    return pattern;
}

} // namespace

QString LocaleDateText::hourMinute(const QDateTime &dateTime, const QLocale &locale) {
    return locale.toString(dateTime, hourMinutePattern(locale));
}

QString LocaleDateText::monthDay(const QDateTime &dateTime, const QLocale &locale) {
    return locale.toString(dateTime, monthDayPattern(locale));
}

} // namespace zorv
