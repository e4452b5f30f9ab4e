#include "updates/updaterwindow.h"
#include "updates/releasenotes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

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
        {"named references",
         u"<p>a&mdash;b 2&times;3 it&rsquo;s &ldquo;so&hellip; 1&nbsp;&nbsp;pt &amp; &lt;p&gt; "
         "&quot;q&quot; &apos;s &AMP; &bogus; &amp</p>"_s,
         u"a—b 2×3 it’s “so… 1 pt & <p> \"q\" 's & &bogus; &amp"_s},
        {"references in text without tags", u"Faster&nbsp;&mdash; &amp; fewer\ncrashes"_s,
         u"Faster — & fewer\ncrashes"_s},
        {"numeric references that read to no character stay as written",
         u"<p>&#233;&#xE9;&#X4E2D;&#x1F600;&#128; &#0; &#x0; &#xDC00; &#55296; &#x110000; "
         "&#4294967296; &#x; &#;</p>"_s,
         u"éé中😀€ &#0; &#x0; &#xDC00; &#55296; &#x110000; &#4294967296; &#x; &#;"_s},
        {"a bare < or > in markup is text", u"<p>width < 20 pt … took > 2 s, 1<2 &<br>x</p>"_s,
         u"width < 20 pt … took > 2 s, 1<2 &\nx"_s},
        {"text without tags reads as written", u"width < 20 pt\nPress <Return> & <3 >_<"_s,
         u"width < 20 pt\nPress <Return> & <3 >_<"_s},
        {"comments", u"<p>a<!-- x > y -->b</p><!-- <script> -->c<!-- unclosed <p>d"_s,
         u"ab\n\nc"_s},
        {"upper-case scripts and styles",
         u"<P>One</P><SCRIPT>w(\"</P>x\")</SCRIPT><STYLE>P { display: none }</STYLE>"
         "<Script type=x>if (a<b) { y = '<p>leak' }</sCRIPT >Two<script>never closed"_s,
         u"One\n\nTwo"_s},
        {"nested and ordered lists",
         u"<ul><li>Search<ul><li>by name</li><li>by title</li></ul></li><li>Tint</li></ul>"
         "<ol><li>one</li><li>two</li></ol><p>After</p>"_s,
         u"• Search\n  • by name\n  • by title\n• Tint\n1. one\n2. two\n\nAfter"_s},
        {"broken markup", u"<p>unclosed <b>bold <i>both</p><div>lone < sign</div><p>cut <"_s,
         u"unclosed bold both\n\nlone < sign\n\ncut <"_s},
        {"images, links and meta give no text and hide none",
         u"<p>a</p><link rel=stylesheet href=\"s.css\"><meta charset=utf-8><p>b<img "
         "src=\"https://x.test/i.png\" alt=\"pic\">c</p>"_s,
         u"a\n\nbc"_s},
        {"preformatted lines", u"<pre>a\n  b</pre><p>c</p>"_s, u"a\nb\n\nc"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ReleaseNotes::plainText(c.description).toStdString(), c.text.toStdString())
            << c.name;
    }
}

TEST(ReleaseNotesTest, KeepsAtMostItsLimit) {
    const QString notes = ReleaseNotes::plainText(QString(100'000, u'x'));
    EXPECT_EQ(notes.size(), ReleaseNotes::maximumCharacters);
    EXPECT_TRUE(notes.endsWith(u'…'));

    // Of a longer description only the start is read, and the notes say so.
    EXPECT_EQ(ReleaseNotes::plainText(u"<p>Start</p><!--"_s +
                                      QString(ReleaseNotes::maximumDescriptionCharacters, u'-') +
                                      u"--><p>End</p>"_s),
              u"Start…"_s);
}

TEST(ReleaseNotesTest, LoadsNothingTheNotesPointAt) {
    // Any style sheet that loaded would number the list.
    const QString numbered = u"ul { list-style-type: decimal }"_s;
    QTemporaryDir dir;
    QFile sheet(dir.filePath(u"numbered.css"_s));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write(numbered.toUtf8());
    sheet.close();
    const QString file = QUrl::fromLocalFile(sheet.fileName()).toString();
    QList<QUrl> asked;
    QTextDocument::setDefaultResourceProvider([&](const QUrl &url) {
        asked.append(url);
        return QVariant(numbered);
    });
    for (const QString &url : {file, u"https://x.test/numbered.css"_s}) {
        for (const QString &head :
             {u"<style>@import url(%1);</style>"_s,
              u"<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"%1\"></head>"_s,
              u"<img src=\"%1\"><img src=\"%1\" width=\"10\" height=\"10\">"_s}) {
            EXPECT_EQ(ReleaseNotes::plainText(head.arg(url) + u"<ul><li>Tint</li></ul>"_s),
                      u"• Tint"_s)
                << head.arg(url).toStdString();
        }
    }
    QTextDocument::setDefaultResourceProvider(nullptr);
    EXPECT_TRUE(asked.isEmpty()) << asked.value(0).toString().toStdString();
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
