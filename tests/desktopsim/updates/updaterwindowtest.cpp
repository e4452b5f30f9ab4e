#include "updates/updaterwindow.h"
#include "updates/releasenotes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(ReleaseNotesTest, ShowsTheFeedsDescriptionAsPlainText) {
    const struct {
        const char *name;
        QString description;
        QString text;
    } cases[] = {
        {"plain text keeps its lines", u"Faster.\n\n  Fewer   crashes. "_s,
         u"Faster.\n\nFewer crashes."_s},
        {"paragraphs and breaks", u"<h2>Zorv 1.2</h2><p>One<br/>two</p><p>three</p>"_s,
         u"Zorv 1.2\n\nOne\ntwo\n\nthree"_s},
        {"list items", u"<ul>\n<li>Search</li>\n<li class=\"x\">Tint</li></ul>"_s,
         u"• Search\n• Tint"_s},
        {"scripts, styles and links give no text but their words",
         u"<style>p{}</style><script>alert(1)</script><a href=\"https://x.test\">site</a>"_s,
         u"site"_s},
        {"character references", u"A &amp; B &lt;tag&gt; &#233;&#x4E2D; &bogus; &#xD800; &"_s,
         u"A & B <tag> é中 &bogus; &#xD800; &"_s},
        {"an unterminated tag ends the text", u"Before <img src=x"_s, u"Before"_s},
        {"nothing", QString(), QString()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ReleaseNotes::plainText(c.description), c.text) << c.name;
    }
}

TEST(ReleaseNotesTest, KeepsAtMostItsLimit) {
    const QString notes = ReleaseNotes::plainText(QString(100'000, u'x'));
    EXPECT_EQ(notes.size(), ReleaseNotes::maximumCharacters);
    EXPECT_TRUE(notes.endsWith(u'…'));
}

TEST(UpdaterWindowTest, WritesVersionsTheDelegatesWayAndBoundsWhatTheFeedSays) {
    const auto withV = [](const QString &version) { return u"v"_s + version; };
    const UpdaterWindow found = UpdaterWindow::updateFound(
        AppcastItem{QString(200, u'T'), u"12"_s, u"1.2"_s, {}, u"<p>Notes</p>"_s}, u"Zorv"_s,
        u"0.1.0"_s, withV);
    EXPECT_EQ(found.kind, UpdaterWindow::Kind::UpdateFound);
    EXPECT_EQ(found.headline, u"A new version of Zorv is available!"_s);
    EXPECT_EQ(found.message,
              u"Zorv v1.2 is now available—you have v0.1.0. Would you like to download it now?"_s);
    EXPECT_EQ(found.notesTitle.size(), UpdaterWindow::maximumTitleLength);
    EXPECT_EQ(found.releaseNotes, u"Notes"_s);

    // A hostile feed's version is one short line; "%1" in it is not filled in.
    const UpdaterWindow hostile =
        UpdaterWindow::updateFound(AppcastItem{{}, u"99"_s, u"%1\n"_s + QString(500, u'9'), {}, {}},
                                   u"Zorv"_s, u"1.0"_s, nullptr);
    EXPECT_TRUE(hostile.message.startsWith(u"Zorv %1 999"_s)) << hostile.message.toStdString();
    EXPECT_LT(hostile.message.size(), 150);

    EXPECT_EQ(UpdaterWindow::upToDate(u"Zorv"_s, u"1.2"_s, withV).message,
              u"Zorv v1.2 is currently the newest version available."_s);
    const UpdaterWindow error = UpdaterWindow::error(UpdaterError{
        UpdaterError::frameworkDomain, UpdaterError::appcastError, QString(1000, u'e')});
    EXPECT_EQ(error.headline, u"Update Error!"_s);
    EXPECT_LE(error.message.size(), 2 * UpdaterWindow::maximumTitleLength);
}

} // namespace
} // namespace zorv
