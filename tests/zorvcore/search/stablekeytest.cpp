#include "search/stablekey.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(StableKeyTest, KeepsTheOrdinalWhereIdentityIgnoresItAndNeverTheTitle) {
    const MenuBarItemID first{u"com.a"_s, u"clock"_s, u"9:41"_s, 0};
    const MenuBarItemID second{u"com.a"_s, u"clock"_s, u"9:42"_s, 1};
    ASSERT_EQ(first, second);
    EXPECT_EQ(stableKey(first), u"com.a#clock##0"_s);
    EXPECT_EQ(stableKey(second), u"com.a#clock##1"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, QString(), u"Title"_s, -3}), u"com.a###-3"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, std::nullopt, std::nullopt, -3}), u"com.a###-3"_s);
    EXPECT_EQ(stableKey({u"com.a"_s, std::nullopt, std::nullopt, 4294967296}),
              u"com.a###4294967296"_s);
}

} // namespace
} // namespace zorv
