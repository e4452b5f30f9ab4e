#include "enginecapabilities.h"
#include "hidingblockedreason.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

TEST(EngineCapabilitiesTest, MembersCombineIntoTheirRawValues) {
    EngineCapabilities set{EngineCapabilities::discoverItems, EngineCapabilities::hideItems,
                           EngineCapabilities::activateItems, EngineCapabilities::perItemFrames};
    EXPECT_EQ(set.rawValue(), 43);
    EXPECT_FALSE(set.contains(EngineCapabilities::captureImages));
    set.insert(EngineCapabilities::captureImages);
    EXPECT_EQ(set.rawValue(), 59);
    EXPECT_TRUE(set.contains(EngineCapabilities::captureImages | EngineCapabilities::hideItems));
    EXPECT_FALSE(
        set.contains(EngineCapabilities::captureImages | EngineCapabilities::reorderItems));
    set.remove(EngineCapabilities::hideItems);
    EXPECT_EQ(set, EngineCapabilities(57));
}

TEST(HidingBlockedReasonTest, OnlyAMisseatedIconHasAUserFix) {
    EXPECT_EQ(headline(HidingBlockedReason::iconMisseated),
              u"Putting the menu bar back in order"_s);
    EXPECT_TRUE(userFix(HidingBlockedReason::iconMisseated)
                    .value_or(QString())
                    .startsWith(u"If it keeps coming back: hold Command"));
    EXPECT_EQ(headline(HidingBlockedReason::displayNotHiding), u"Waiting on this display"_s);
    EXPECT_EQ(userFix(HidingBlockedReason::displayNotHiding), std::nullopt);
    for (auto reason :
         {HidingBlockedReason::iconMisseated, HidingBlockedReason::displayNotHiding}) {
        EXPECT_TRUE(detail(reason).startsWith(u"macOS "));
    }
}
