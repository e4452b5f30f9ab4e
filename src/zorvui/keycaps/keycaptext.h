#pragma once

#include "keycaps/keycapdrawing.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

namespace zorv {

// Running text with inline key caps: every "{token}" of a text becomes the caps of
// KeyCapDrawing::keys(token), and everything else stays exactly as written, as plain text (never
// read as markup). Notes, blurbs and guides use it ("Hold {option} and click"); KeysText.qml lays
// it out with the kit's own caps.
class KeyCapText {
public:
    // One piece of the text: plain characters, or the caps of one token.
    struct Segment {
        QString plain;
        std::optional<QStringList> caps;

        friend bool operator==(const Segment &, const Segment &) = default;
    };

    // The text split into plain pieces and tokens, in order. A "{" without a later "}" ends the
    // scan: it and everything after it stay plain. Empty plain pieces are left out.
    [[nodiscard]] static QList<Segment> segments(const QString &text);

    // One word of running text: what stands between two runs of white space (plain pieces and
    // caps side by side, kept together on one line), and how many spaces follow it.
    struct Word {
        QList<Segment> pieces;
        int spacesAfter = 0;

        friend bool operator==(const Word &, const Word &) = default;
    };
    using Paragraph = QList<Word>;

    // The text as the kit lays it out: paragraphs (one per line of the text, a line break
    // starting the next), each a list of words. Spaces and tabs separate words and are counted,
    // never added: a cap directly followed by "." stays glued to it. A paragraph that starts with
    // spaces begins with a word that has no pieces. Empty lines are empty paragraphs.
    [[nodiscard]] static QList<Paragraph> paragraphs(const QString &text);
    // How a screen reader says the text: each token's caps as KeyCapDrawing::spoken() gives them
    // ("Hold option and click"), everything else as written.
    [[nodiscard]] static QString spoken(const QString &text);
    // paragraphs() for QML: a list of paragraphs, each a list of {pieces, spacesAfter}, each piece
    // {text} or {caps} (a list of labels).
    [[nodiscard]] static QVariantList layoutValue(const QString &text);
};

} // namespace zorv
