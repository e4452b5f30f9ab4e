#include "storage/zorvpaths.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(ZorvPathsTest, FoldersLiveInTheDataFolderAndComeBackWhenRemoved) {
    const QString root = qEnvironmentVariable("XDG_DATA_HOME") + u"/Zorv"_s;
    ASSERT_EQ(ZorvPaths::root(), root);
    ASSERT_TRUE(QDir(root).removeRecursively());

    EXPECT_EQ(ZorvPaths::backups(), root + u"/backups"_s);
    EXPECT_TRUE(QFileInfo(root + u"/backups"_s).isDir());
    EXPECT_EQ(ZorvPaths::file(u"settings.json"_s), root + u"/settings.json"_s);
    EXPECT_FALSE(QFileInfo::exists(root + u"/settings.json"_s));
}

} // namespace
} // namespace zorv
