#pragma once

#include <QString>

namespace zorv {

// The release notes an update window shows, made from a feed item's description as plain text.
// A description with tags of HTML elements or comments in it is read by Qt's HTML reader:
// paragraphs, line breaks and list items (with a bullet, or the number of an ordered list's item,
// indented as nested) become lines, character references are read, and what a script or style
// element holds gives no text. A description without them is text as written, bare "<", ">" and
// "&" included; only its character references are read. Runs of blanks and blank lines are closed
// up. At most maximumDescriptionCharacters of the description are read and at most
// maximumCharacters kept, a cut marked with "…". Nothing in the description is fetched or run.
// Needs a QGuiApplication: Qt's HTML reader sets fonts.
class ReleaseNotes {
public:
    static constexpr qsizetype maximumCharacters = 4000;
    // Qt's reader takes time that grows faster than the markup does when elements nest deeply.
    static constexpr qsizetype maximumDescriptionCharacters = 3 * maximumCharacters;

    ReleaseNotes() = delete;

    [[nodiscard]] static QString plainText(const QString &description);
};

} // namespace zorv
