#include "look/hexcolor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct HexCase {
    const char *name;
    QString text;
    std::optional<QColor> expected;
};

void PrintTo(const HexCase &c, std::ostream *os) {
    *os << c.name;
}

class HexColorTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexColorTest, ParsesExactlySixDigits) {
    const HexCase &c = GetParam();
    const auto parsed = HexColor::parse(c.text);
    ASSERT_EQ(parsed.has_value(), c.expected.has_value());
    if (parsed) {
        EXPECT_EQ(parsed->rgba(), c.expected->rgba());
        EXPECT_EQ(parsed->alpha(), 255);
    }
}

const QColor honey(0xF0, 0xB2, 0x4A);

INSTANTIATE_TEST_SUITE_P(
    Texts, HexColorTest,
    ::testing::Values(
        HexCase{"palette", u"#F0B24A"_s, honey}, HexCase{"lowerCase", u"#f0b24a"_s, honey},
        HexCase{"noHash", u"F0B24A"_s, honey}, HexCase{"spacesAndTabs", u" \t#F0B24A\t "_s, honey},
        HexCase{"noBreakSpace", u"\u00A0#F0B24A"_s, honey},
        HexCase{"black", u"#000000"_s, QColor(0, 0, 0)},
        HexCase{"white", u"#FFFFFF"_s, QColor(255, 255, 255)},
        HexCase{"fiveDigits", u"#F0B24"_s, std::nullopt},
        HexCase{"sevenDigits", u"#F0B24A0"_s, std::nullopt},
        HexCase{"twoHashes", u"##F0B24A"_s, std::nullopt},
        HexCase{"trailingLineBreak", u"#F0B24A\n"_s, std::nullopt},
        HexCase{"nonHexDigit", u"#F0B24G"_s, std::nullopt},
        // A number parse would take these signs and give nonsense channels.
        HexCase{"plusSign", u"+FFFFF"_s, std::nullopt},
        HexCase{"minusSign", u"-00001"_s, std::nullopt},
        HexCase{"hashThenSign", u"#-FFFFF"_s, std::nullopt},
        HexCase{"prefix0x", u"0xFFFF"_s, std::nullopt},
        HexCase{"innerSpace", u"#F0 B24A"_s, std::nullopt}, HexCase{"empty", u""_s, std::nullopt}),
    [](const ::testing::TestParamInfo<HexCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
