#include "settings/keyshortcut.h"
#include "jsontesting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;

namespace {

TEST(KeyShortcut, ShowsModifierGlyphsInFixedOrderThenTheKeyName) {
    constexpr quint64 all =
        KeyShortcut::kCommand | KeyShortcut::kShift | KeyShortcut::kOption | KeyShortcut::kControl;
    const struct {
        KeyShortcut shortcut;
        QStringList caps;
    } cases[] = {
        {KeyShortcut(0, KeyShortcut::kCommand), {u"⌘"_s, u"A"_s}},
        {KeyShortcut(49, KeyShortcut::kOption), {u"⌥"_s, u"Space"_s}},
        {KeyShortcut(122, all), {u"⌃"_s, u"⌥"_s, u"⇧"_s, u"⌘"_s, u"F1"_s}},
        {KeyShortcut(10, KeyShortcut::kControl), {u"⌃"_s, u"key 10"_s}},
        // Caps lock, function and device bits are kept but never shown.
        {KeyShortcut(53, 0x10000 | (quint64(1) << 23) | 0x1), {u"⎋"_s}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.shortcut.display(), c.caps.join(QString()));
        EXPECT_EQ(c.shortcut.caps(), c.caps);
    }
    EXPECT_NE(KeyShortcut(53, 0x10000), KeyShortcut(53, 0));
}

TEST(KeyShortcut, SplitsDisplayTextIntoCaps) {
    EXPECT_EQ(KeyShortcut::caps(u"⌘⌘A⌥"_s), (QStringList{u"⌘"_s, u"⌘"_s, u"A⌥"_s}));
    EXPECT_EQ(KeyShortcut::caps(u"⌃⌥"_s), (QStringList{u"⌃"_s, u"⌥"_s}));
    // A glyph carrying a combining mark is one character that is not a modifier.
    EXPECT_EQ(KeyShortcut::caps(u"⌥⌘\u0301A"_s), (QStringList{u"⌥"_s, u"⌘\u0301A"_s}));
}

TEST(KeyShortcut, RoundTripsThroughJsonAndRefusesMalformedRecords) {
    const KeyShortcut shortcut(65535, KeyShortcut::kCommand | 0x10000 | (quint64(1) << 40));
    EXPECT_EQ(decodeJson<KeyShortcut>(shortcut.toJson()), shortcut);
    for (const char *text :
         {R"({"keyCode": 70000, "modifiers": 0})", R"({"keyCode": 0})", R"({"modifiers": 0})",
          R"({"keyCode": -1, "modifiers": 0})", R"({"keyCode": 0, "modifiers": -1})"}) {
        EXPECT_THROW((void)decodeJson<KeyShortcut>(QByteArray(text)), DecodeError) << text;
    }
}

} // namespace
