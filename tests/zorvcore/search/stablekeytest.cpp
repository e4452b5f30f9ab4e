#include "search/stablekey.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(StableKeyTest, JoinsBundleIdentifierAccessibilityIdentifierAndOrdinal) {
    const QString dropbox = u"com.getdropbox.dropbox"_s;
    EXPECT_EQ(stableKey({dropbox, std::nullopt, u"Dropbox"_s, 0}), dropbox + u"###0"_s);
    EXPECT_EQ(stableKey({dropbox, QString(), std::nullopt, 0}), dropbox + u"###0"_s);
    EXPECT_EQ(stableKey({dropbox, u"clock"_s, std::nullopt, 2}), dropbox + u"#clock##2"_s);
    EXPECT_EQ(stableKey({dropbox, std::nullopt, std::nullopt, -3}), dropbox + u"###-3"_s);
}

TEST(StableKeyTest, KeepsTheOrdinalWhereIdentityIgnoresIt) {
    const MenuBarItemID first{u"com.a"_s, u"clock"_s, u"9:41"_s, 0};
    const MenuBarItemID second{u"com.a"_s, u"clock"_s, u"9:42"_s, 1};
    ASSERT_EQ(first, second);
    EXPECT_NE(stableKey(first), stableKey(second));
    EXPECT_EQ(stableKey(first), stableKey({u"com.a"_s, u"clock"_s, u"other"_s, 0}));
}

} // namespace
} // namespace zorv
