#include "keycaps/keycaptext.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace zorv {

QList<KeyCapText::Segment> KeyCapText::segments(const QString &text) {
    QList<Segment> result;
    qsizetype position = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'{', position);
        if (open < 0) {
            break;
        }
        const qsizetype close = text.indexOf(u'}', open + 1);
        if (close < 0) {
            break;
        }
        if (open > position) {
            result.append({text.mid(position, open - position), std::nullopt});
        }
        result.append({QString(), KeyCapDrawing::keys(text.mid(open + 1, close - open - 1))});
        position = close + 1;
    }
    if (position < text.size()) {
        result.append({text.mid(position), std::nullopt});
    }
    return result;
}

QList<KeyCapText::Paragraph> KeyCapText::paragraphs(const QString &text) {
    QList<Paragraph> result{Paragraph{}};
    Word word;
    const auto endWord = [&] {
        if (!word.pieces.isEmpty() || word.spacesAfter > 0) {
            result.last().append(word);
        }
        word = Word{};
    };
    const auto addPiece = [&](const Segment &piece) {
        if (word.spacesAfter > 0) {
            endWord();
        }
        if (!piece.caps && !word.pieces.isEmpty() && !word.pieces.last().caps) {
            word.pieces.last().plain += piece.plain;
        } else {
            word.pieces.append(piece);
        }
    };
    for (const Segment &segment : segments(text)) {
        if (segment.caps) {
            addPiece(segment);
            continue;
        }
        for (const QChar c : segment.plain) {
            if (c == u'\n') {
                endWord();
                result.append(Paragraph{});
            } else if (c == u' ' || c == u'\t') {
                ++word.spacesAfter;
            } else {
                addPiece({QString(c), std::nullopt});
            }
        }
    }
    endWord();
    return result;
}

QString KeyCapText::spoken(const QString &text) {
    QString result;
    for (const Segment &segment : segments(text)) {
        result += segment.caps ? KeyCapDrawing::spoken(*segment.caps) : segment.plain;
    }
    return result;
}

QVariantList KeyCapText::layoutValue(const QString &text) {
    QVariantList paragraphList;
    for (const Paragraph &paragraph : paragraphs(text)) {
        QVariantList words;
        for (const Word &word : paragraph) {
            QVariantList pieces;
            for (const Segment &piece : word.pieces) {
                pieces.append(piece.caps ? QVariantMap{{u"caps"_s, *piece.caps}}
                                         : QVariantMap{{u"text"_s, piece.plain}});
            }
            words.append(QVariantMap{{u"pieces"_s, pieces}, {u"spacesAfter"_s, word.spacesAfter}});
        }
        paragraphList.append(QVariant(words));
    }
    return paragraphList;
}

} // namespace zorv
