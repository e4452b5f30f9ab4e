#include "storage/zorvpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(ZorvPathsTest, RootAndBackupsLiveInTheDataFolderAndComeBackWhenRemoved) {
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(dataHome.isEmpty());
    const QString root = ZorvPaths::root();
    EXPECT_EQ(root, dataHome + u"/Zorv"_s);
    EXPECT_TRUE(QFileInfo(root).isDir());

    ASSERT_TRUE(QDir(root).removeRecursively());
    EXPECT_EQ(ZorvPaths::backups(), root + u"/backups"_s);
    EXPECT_TRUE(QFileInfo(root + u"/backups"_s).isDir());

    EXPECT_EQ(ZorvPaths::file(u"settings.json"_s), root + u"/settings.json"_s);
    EXPECT_FALSE(QFileInfo::exists(root + u"/settings.json"_s));
}

} // namespace
} // namespace zorv
