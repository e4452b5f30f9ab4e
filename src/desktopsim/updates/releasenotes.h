#pragma once

#include <QString>

namespace zorv {

// The release notes an update window shows, made from a feed item's description (HTML or plain
// text) as plain text: tags dropped (what a script or style element holds with them), paragraphs,
// line breaks and list items kept as lines, character references read, runs of blanks and blank
// lines closed up, and at most maximumCharacters kept. Nothing in the description is fetched or
// run.
class ReleaseNotes {
public:
    static constexpr qsizetype maximumCharacters = 4000;

    ReleaseNotes() = delete;

    [[nodiscard]] static QString plainText(const QString &description);
};

} // namespace zorv
