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

TEST(KeyShortcut, NamesExactlyTheKeysOfTheTable) {
    // Codes 0 to 53 in order; 10 and 52 have no name.
    const QStringList low =
        u"A S D F H G Z X C V - B Q W E R Y T 1 2 3 4 6 5 = 9 7 - 8 0 ] O U [ I P \u21A9 L J ' K "
        u"; \\ , / N M . \u21E5 Space ` \u232B - \u238B"_s.split(u' ');
    ASSERT_EQ(low.size(), 54);
    QHash<quint16, QString> expected;
    for (quint16 code = 0; code < 54; ++code) {
        if (code != 10 && code != 52) {
            expected.insert(code, low.at(code));
        }
    }
    const std::pair<quint16, QString> high[] = {
        {96, u"F5"_s},      {97, u"F6"_s},      {98, u"F7"_s},      {99, u"F3"_s},
        {100, u"F8"_s},     {101, u"F9"_s},     {103, u"F11"_s},    {109, u"F10"_s},
        {111, u"F12"_s},    {118, u"F4"_s},     {120, u"F2"_s},     {122, u"F1"_s},
        {123, u"\u2190"_s}, {124, u"\u2192"_s}, {125, u"\u2193"_s}, {126, u"\u2191"_s}};
    for (const auto &[code, name] : high) {
        expected.insert(code, name);
    }
    ASSERT_EQ(expected.size(), 68);
    for (int code = 0; code <= 0xFFFF; ++code) {
        const auto key = static_cast<quint16>(code);
        ASSERT_EQ(KeyShortcut::keyName(key), expected.value(key, u"key "_s + QString::number(code)))
            << code;
    }
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
