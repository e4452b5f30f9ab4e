#include "input/keylayout.h"

#include <gtest/gtest.h>

#include <QString>

namespace zorv {
namespace {

// The key and Shift that type each character on the US keyboard, or none.
TEST(KeyLayoutTest, TypesCharactersByTheirKeys) {
    const std::pair<QChar, std::optional<KeyLayout::Stroke>> cases[] = {
        {u'a', KeyLayout::Stroke{0, false}},  {u'A', KeyLayout::Stroke{0, true}},
        {u'1', KeyLayout::Stroke{18, false}}, {u'!', KeyLayout::Stroke{18, true}},
        {u' ', KeyLayout::Stroke{49, false}}, {u'?', KeyLayout::Stroke{44, true}},
        {u'/', KeyLayout::Stroke{44, false}}, {QChar(0xe9), std::nullopt},
        {u'\n', std::nullopt},
    };
    for (const auto &[character, stroke] : cases) {
        SCOPED_TRACE(QString(character).toStdString());
        EXPECT_EQ(KeyLayout::stroke(character), stroke);
    }
}

// Every printable ASCII character the keyboard types comes back from its key.
TEST(KeyLayoutTest, AStrokeTypesItsCharacterBack) {
    for (char16_t code = 0x21; code < 0x7f; ++code) {
        const QChar character(code);
        const auto stroke = KeyLayout::stroke(character);
        ASSERT_TRUE(stroke.has_value()) << char(code);
        const auto typed = KeyLayout::character(stroke->keyCode, stroke->shift);
        ASSERT_TRUE(typed.has_value()) << char(code);
        EXPECT_EQ(stroke->shift && typed->isLetter() ? typed->toUpper() : *typed, character)
            << char(code);
    }
}

} // namespace
} // namespace zorv
