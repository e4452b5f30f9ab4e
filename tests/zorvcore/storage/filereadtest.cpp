#include "storage/wholefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(FileHeadTest, ReadsNoMoreThanAskedAndOnlyRegularFiles) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"data"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.close();

    struct Case {
        qint64 maxBytes;
        QByteArray read;
    };
    for (const Case &c : {Case{0, ""}, Case{4, "0123"}, Case{10, "0123456789"},
                          Case{11, "0123456789"}, Case{-1, ""}}) {
        EXPECT_EQ(readFileHead(path, c.maxBytes), std::optional(c.read)) << c.maxBytes;
    }
    EXPECT_EQ(readFileHead(folder.path(), 4), std::nullopt);
    EXPECT_EQ(readFileHead(folder.filePath(u"missing"_s), 4), std::nullopt);
}

} // namespace
} // namespace zorv
