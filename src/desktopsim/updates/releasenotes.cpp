#include "releasenotes.h"

#include "clippedtext.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A document that loads nothing the notes point at: no image, style sheet or imported style
// sheet, from the network, a file or the application's resources alike.
class InertDocument : public QTextDocument {
public:
    InertDocument() {
        // Without a provider of its own, a document asks the application-wide one.
        setResourceProvider([](const QUrl &) { return QVariant(); });
    }

protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

// Lists nested deeper than this are indented as this deep.
constexpr int maximumListDepth = 5;

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool startsWith(QStringView text, qsizetype at, QStringView prefix) {
    return text.sliced(at).startsWith(prefix, Qt::CaseInsensitive);
}

// The lower-case name of the element whose tag's name starts at `at`.
QString elementName(QStringView text, qsizetype at) {
    qsizetype end = at;
    while (end < text.size() && end - at <= 16 && text[end].isLetterOrNumber()) {
        ++end;
    }
    return text.sliced(at, end - at).toString().toLower();
}

// Where the name of the tag starting with the "<" at `at` starts, if one does.
std::optional<qsizetype> tagNameAt(QStringView text, qsizetype at) {
    const qsizetype name = at + 1 < text.size() && text[at + 1] == u'/' ? at + 2 : at + 1;
    if (name < text.size() && isAsciiLetter(text[name])) {
        return name;
    }
    return std::nullopt;
}

// Whether the description holds a comment or a tag of an element Qt's HTML reader knows, so that
// "Press <Return>" or "width < 20 pt" alone is still text.
bool hasMarkup(QStringView text) {
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (startsWith(text, at, u"<!--") || startsWith(text, at, u"<!doctype")) {
            return true;
        }
        if (const std::optional<qsizetype> name = tagNameAt(text, at)) {
            const QString element = elementName(text, *name);
            if (Qt::mightBeRichText(QString(u"<"_s + element + u'>'))) {
                return true;
            }
        }
    }
    return false;
}

// Whether the "&" at `at` starts a numeric reference Qt's reader would turn into no character or
// into half of one (zero, a surrogate, past the last code point). The reader takes up to eight
// characters before the ";" and reads them as `QString::toUInt` does; looking a little further
// only finds what it leaves as text anyway.
bool isUnusableReference(QStringView text, qsizetype at) {
    qsizetype end = at + 1;
    while (end < text.size() && end - at <= 10 && text[end] != u';' && !text[end].isSpace()) {
        ++end;
    }
    if (end >= text.size() || text[end] != u';' || end - at < 3 || text[at + 1] != u'#') {
        return false;
    }
    QStringView digits = text.sliced(at + 2, end - at - 2);
    int base = 10;
    if (digits.front() == u'x' || digits.front() == u'X') {
        digits = digits.sliced(1);
        base = 16;
    }
    bool ok = false;
    const uint code = digits.toUInt(&ok, base);
    return ok && (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF);
}

// Where an element that gives no text, starting with the "<" at `at`, ends when it is left out
// of what Qt's reader sees. A script or style element's text is never markup, up to the first
// closing tag of its name (the reader would read it as markup, and a style sheet could import
// another). A link or meta tag has no closing tag, which the reader does not know: the text after
// it would be lost.
std::optional<qsizetype> omittedElementEnd(QStringView text, qsizetype at) {
    const std::optional<qsizetype> name = tagNameAt(text, at);
    if (!name || *name != at + 1) {
        return std::nullopt;
    }
    const QString element = elementName(text, *name);
    const qsizetype after = *name + element.size();
    if (after < text.size() && !text[after].isSpace() && text[after] != u'/' &&
        text[after] != u'>') {
        return std::nullopt;
    }
    qsizetype end = -1;
    if (element == u"script" || element == u"style") {
        const qsizetype closing = text.indexOf(u"</"_s + element, after, Qt::CaseInsensitive);
        end = closing < 0 ? -1 : text.indexOf(u'>', closing);
    } else if (element == u"link" || element == u"meta") {
        end = text.indexOf(u'>', after);
    } else {
        return std::nullopt;
    }
    return end < 0 ? text.size() : end + 1;
}

// The description as Qt's HTML reader is to see it. In markup, comments and the elements above
// are left out and a "<" that starts no tag is text, as in a browser; text without markup
// has every "<" as text and its line breaks kept. A numeric reference that reads to no character
// stays as written.
QString readableHtml(QStringView text, bool markup) {
    QString html;
    html.reserve(text.size() + text.size() / 8);
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at];
        if (c == u'<' && markup && startsWith(text, at, u"<!--")) {
            const qsizetype end = text.indexOf(u"-->", at + 4);
            at = end < 0 ? text.size() : end + 3;
            continue;
        }
        if (c == u'<' && markup) {
            if (const std::optional<qsizetype> end = omittedElementEnd(text, at)) {
                at = *end;
                continue;
            }
        }
        const QChar next = at + 1 < text.size() ? text[at + 1] : QChar();
        if (c == u'<' &&
            (!markup || !(isAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?'))) {
            html.append(u"&lt;");
        } else if (c == u'&' && isUnusableReference(text, at)) {
            html.append(u"&amp;");
        } else if (c == u'\n' && !markup) {
            html.append(u"<br>");
        } else {
            html.append(c);
        }
        ++at;
    }
    return html;
}

// What a list item's line starts with: its number in an ordered list, a bullet otherwise, indented
// by how deep its list is nested.
QString itemMarker(const QTextList &list, const QTextBlock &block) {
    const QTextListFormat format = list.format();
    const bool ordered = format.style() <= QTextListFormat::ListDecimal;
    const int depth = std::clamp(format.indent(), 1, maximumListDepth) - 1;
    return QString(2 * depth, u' ') + (ordered ? list.itemText(block) : u"•"_s) + u' ';
}

// The text with what is not a character of it removed: control characters but white space,
// embedded objects (images), and halves of characters alone.
QString printable(const QString &text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            shown.append(c);
            shown.append(text[++at]);
        } else if (c.isSurrogate()) {
            shown.append(QChar::ReplacementCharacter);
        } else if (c.isSpace() || (c.category() != QChar::Other_Control &&
                                   c != QChar::ObjectReplacementCharacter)) {
            shown.append(c);
        }
    }
    return shown;
}

// The document's blocks as lines: a blank line between paragraphs but none before a list item or
// between the lines of preformatted text, line breaks kept, blanks closed up.
QStringList linesOf(const QTextDocument &document) {
    QStringList lines;
    bool blankBefore = false;
    bool previousPreformatted = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        const bool preformatted = block.blockFormat().nonBreakableLines();
        blankBefore = !lines.isEmpty() && !(preformatted && previousPreformatted);
        previousPreformatted = preformatted;
        QString marker = list ? itemMarker(*list, block) : QString();
        for (const QString &part : block.text().split(QChar::LineSeparator)) {
            const QString line = printable(part).simplified();
            if (line.isEmpty()) {
                blankBefore = !lines.isEmpty();
                continue;
            }
            if (blankBefore && marker.isEmpty()) {
                lines.append(QString());
            }
            blankBefore = false;
            lines.append(marker + line);
            marker.clear();
        }
    }
    return lines;
}

} // namespace

QString ReleaseNotes::plainText(const QString &description) {
    QStringView read = description;
    const bool cut = read.size() > maximumDescriptionCharacters;
    if (cut) {
        read.truncate(maximumDescriptionCharacters);
        if (read.back().isHighSurrogate()) {
            read.chop(1);
        }
    }
    InertDocument document;
    const bool markup = hasMarkup(read);
    document.setHtml(readableHtml(read, markup));
    QString text = linesOf(document).join(u'\n');
    if (cut && text.size() < maximumCharacters) {
        text.append(u'…');
    }
    return clippedText(text, maximumCharacters);
}

} // namespace zorv
