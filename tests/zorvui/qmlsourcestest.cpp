#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// The text of the QML block that opens at `open` (a "{"), braces included.
QString blockAt(const QString &source, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < source.size(); ++i) {
        depth += source.at(i) == u'{' ? 1 : source.at(i) == u'}' ? -1 : 0;
        if (depth == 0) {
            return source.mid(open, i - open + 1);
        }
    }
    return source.mid(open);
}

// Texts of the kit may show what comes from outside (item titles, application names, replies of
// servers), so every Text of the kit's QML is plain text: markup shows as typed, never as
// formatting, links or images fetched from elsewhere.
TEST(KitQmlTest, DrawsEveryTextAsPlainText) {
    const QDir folder(u":/Zorv/UI/qml"_s);
    const QStringList files = folder.entryList({u"*.qml"_s}, QDir::Files);
    ASSERT_GT(files.size(), 10);
    const QRegularExpression textOpening(uR"((?:^|[\s:])(?:Text|Label)\s*\{)"_s,
                                         QRegularExpression::MultilineOption);
    int texts = 0;
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString source = QString::fromUtf8(file.readAll());
        for (const QString &rich : {u"StyledText"_s, u"RichText"_s, u"MarkdownText"_s}) {
            EXPECT_FALSE(source.contains(rich))
                << name.toStdString() << " uses " << rich.toStdString();
        }
        auto match = textOpening.globalMatch(source);
        while (match.hasNext()) {
            const auto found = match.next();
            const QString block = blockAt(source, found.capturedEnd() - 1);
            ++texts;
            EXPECT_TRUE(block.contains(u"textFormat: Text.PlainText"_s))
                << name.toStdString() << ": " << block.left(120).toStdString();
        }
    }
    EXPECT_GT(texts, 10);
}

} // namespace
} // namespace zorv
