#include "settings/keyshortcut.h"
#include "jsontesting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;
using zorv::testing::decodeJson;

namespace {

struct DisplayCase {
    quint16 keyCode;
    quint64 modifiers;
    QString display;
    QStringList caps;
};

class KeyShortcutDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(KeyShortcutDisplay, ShowsGlyphsInFixedOrderThenKeyName) {
    const DisplayCase &c = GetParam();
    const KeyShortcut shortcut(c.keyCode, c.modifiers);
    EXPECT_EQ(shortcut.display(), c.display);
    EXPECT_EQ(shortcut.caps(), c.caps);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyShortcutDisplay,
    ::testing::Values(DisplayCase{0,
                                  KeyShortcut::kCommand | KeyShortcut::kShift,
                                  u"⇧⌘A"_s,
                                  {u"⇧"_s, u"⌘"_s, u"A"_s}},
                      DisplayCase{49, KeyShortcut::kOption, u"⌥Space"_s, {u"⌥"_s, u"Space"_s}},
                      DisplayCase{10, KeyShortcut::kControl, u"⌃key 10"_s, {u"⌃"_s, u"key 10"_s}},
                      DisplayCase{122,
                                  KeyShortcut::kCommand | KeyShortcut::kShift |
                                      KeyShortcut::kOption | KeyShortcut::kControl,
                                  u"⌃⌥⇧⌘F1"_s,
                                  {u"⌃"_s, u"⌥"_s, u"⇧"_s, u"⌘"_s, u"F1"_s}},
                      // Caps lock, function and device bits are kept but never shown.
                      DisplayCase{53, 0x10000 | (quint64(1) << 23) | 0x1, u"⎋"_s, {u"⎋"_s}},
                      DisplayCase{42, 0, u"\\"_s, {u"\\"_s}}));

TEST(KeyShortcut, NamesExactlyTheKeysOfTheTable) {
    int named = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        if (!KeyShortcut::keyName(quint16(code)).startsWith(u"key "_s)) {
            ++named;
        }
    }
    EXPECT_EQ(named, 68);
    EXPECT_EQ(KeyShortcut::keyName(52), u"key 52"_s);
    EXPECT_EQ(KeyShortcut::keyName(65535), u"key 65535"_s);
    EXPECT_EQ(KeyShortcut::keyName(50), u"`"_s);
    EXPECT_EQ(KeyShortcut::keyName(22), u"6"_s);
    EXPECT_EQ(KeyShortcut::keyName(23), u"5"_s);
    EXPECT_EQ(KeyShortcut::keyName(99), u"F3"_s);
    EXPECT_EQ(KeyShortcut::keyName(126), u"↑"_s);
}

TEST(KeyShortcut, SplitsDisplayTextIntoCaps) {
    EXPECT_EQ(KeyShortcut::caps(u"⌘⌘A⌥"_s), (QStringList{u"⌘"_s, u"⌘"_s, u"A⌥"_s}));
    EXPECT_EQ(KeyShortcut::caps(QString()), QStringList());
    EXPECT_EQ(KeyShortcut::caps(u"⌃⌥"_s), (QStringList{u"⌃"_s, u"⌥"_s}));
    // A glyph carrying a combining mark is one character that is not a modifier.
    EXPECT_EQ(KeyShortcut::caps(u"⌥⌘\u0301A"_s), (QStringList{u"⌥"_s, u"⌘\u0301A"_s}));
    EXPECT_EQ(KeyShortcut::modifierGlyphs(), (QStringList{u"⌃"_s, u"⌥"_s, u"⇧"_s, u"⌘"_s}));
}

TEST(KeyShortcut, HiddenBitsTakePartInEquality) {
    EXPECT_NE(KeyShortcut(0, 0x10000), KeyShortcut(0, 0));
    EXPECT_EQ(KeyShortcut(0, 0x10000).display(), KeyShortcut(0, 0).display());
    EXPECT_EQ(KeyShortcut(7, KeyShortcut::kCommand), KeyShortcut(7, KeyShortcut::kCommand));
}

TEST(KeyShortcut, RoundTripsThroughJson) {
    const KeyShortcut shortcut(65535, KeyShortcut::kCommand | 0x10000 | (quint64(1) << 40));
    const QJsonObject json = shortcut.toJson().toObject();
    EXPECT_EQ(json.keys(), (QStringList{u"keyCode"_s, u"modifiers"_s}));
    EXPECT_EQ(decodeJson<KeyShortcut>(json), shortcut);
}

TEST(KeyShortcut, RefusesMalformedJson) {
    for (const char *text :
         {R"({"keyCode": 70000, "modifiers": 0})", R"({"keyCode": 0})", R"({"modifiers": 0})",
          R"({"keyCode": -1, "modifiers": 0})", R"({"keyCode": 1.5, "modifiers": 0})",
          R"({"keyCode": 0, "modifiers": -1})", R"({"keyCode": "0", "modifiers": 0})"}) {
        EXPECT_THROW((void)decodeJson<KeyShortcut>(QByteArray(text)), DecodeError) << text;
    }
}

} // namespace
