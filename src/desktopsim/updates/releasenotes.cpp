#include "releasenotes.h"

#include "clippedtext.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Elements that end a line of the notes, opening or closing.
bool breaksLine(const QString &tag) {
    static const QStringList blocks = {u"br"_s, u"p"_s,  u"div"_s, u"ul"_s,  u"ol"_s,
                                       u"h1"_s, u"h2"_s, u"h3"_s,  u"h4"_s,  u"h5"_s,
                                       u"h6"_s, u"tr"_s, u"hr"_s,  u"pre"_s, u"blockquote"_s};
    return blocks.contains(tag);
}

// The element's name in lower case, without the closing slash or attributes.
QString tagName(QStringView tag) {
    if (tag.startsWith(u'/')) {
        tag = tag.mid(1);
    }
    qsizetype end = 0;
    while (end < tag.size() && tag[end].isLetterOrNumber()) {
        ++end;
    }
    return tag.left(end).toString().toLower();
}

// The character a reference ("amp", "#233", "#xE9") stands for; empty when it names none.
QString referenced(QStringView name) {
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X')
                              ? name.mid(2).toUInt(&ok, 16)
                              : name.mid(1).toUInt(&ok, 10);
        const bool usable =
            ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        const char32_t character = code;
        return usable ? QString::fromUcs4(&character, 1) : QString();
    }
    static const QList<std::pair<QString, QString>> named = {
        {u"amp"_s, u"&"_s},   {u"lt"_s, u"<"_s},   {u"gt"_s, u">"_s},
        {u"quot"_s, u"\""_s}, {u"apos"_s, u"'"_s}, {u"nbsp"_s, u" "_s}};
    for (const auto &[key, text] : named) {
        if (name == key) {
            return text;
        }
    }
    return {};
}

// Markup dropped and references read; blanks and lines as they come.
QString withoutMarkup(const QString &description) {
    QString text;
    qsizetype at = 0;
    while (at < description.size()) {
        const QChar c = description[at];
        if (c == u'<') {
            const qsizetype close = description.indexOf(u'>', at + 1);
            if (close < 0) {
                break;
            }
            const QStringView inner = QStringView(description).mid(at + 1, close - at - 1);
            const QString tag = tagName(inner);
            const bool closing = inner.startsWith(u'/');
            at = close + 1;
            if (!closing && (tag == u"script"_s || tag == u"style"_s)) {
                const qsizetype end = description.indexOf(u"</"_s + tag, at, Qt::CaseInsensitive);
                at = end < 0 ? description.size() : end;
            } else if (tag == u"li"_s) {
                if (!closing) {
                    text.append(u"\n• "_s);
                }
            } else if (breaksLine(tag)) {
                text.append(u'\n');
            }
        } else if (c == u'&') {
            const qsizetype semicolon = description.indexOf(u';', at + 1);
            const QString character =
                semicolon > at && semicolon - at <= 10
                    ? referenced(QStringView(description).mid(at + 1, semicolon - at - 1))
                    : QString();
            if (character.isEmpty()) {
                text.append(c);
                ++at;
            } else {
                text.append(character);
                at = semicolon + 1;
            }
        } else {
            text.append(c);
            ++at;
        }
    }
    return text;
}

} // namespace

QString ReleaseNotes::plainText(const QString &description) {
    QStringList lines;
    bool blankBefore = false;
    for (const QString &line : withoutMarkup(description).split(u'\n')) {
        const QString simplified = line.simplified();
        if (simplified.isEmpty() || simplified == u"•"_s) {
            blankBefore = !lines.isEmpty();
            continue;
        }
        if (blankBefore && !simplified.startsWith(u"• "_s)) {
            lines.append(QString());
        }
        blankBefore = false;
        lines.append(simplified);
    }
    return clippedText(lines.join(u'\n'), maximumCharacters);
}

} // namespace zorv
