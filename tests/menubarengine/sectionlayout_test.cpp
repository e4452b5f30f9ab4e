#include "sectionlayout.h"
#include "sectionplacement.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID itemID(const char *bundleID, std::optional<QString> title = {}) {
    return {QString::fromLatin1(bundleID), u"item"_s, std::move(title), 0};
}

SectionLayout layout(QList<MenuBarItemID> alwaysHidden, QList<MenuBarItemID> hidden,
                     QList<MenuBarItemID> shown) {
    return {{{Section::alwaysHidden, alwaysHidden},
             {Section::hidden, hidden},
             {Section::shown, shown}}};
}

const MenuBarItemID A = itemID("com.example.a");
const MenuBarItemID B = itemID("com.example.b");
const QString kA = uR"({"bundleID": "com.example.a", "axIdentifier": "item", "ordinal": 0})"_s;
const QString kB = uR"({"bundleID": "com.example.b", "axIdentifier": "item", "ordinal": 0})"_s;

} // namespace

TEST(SectionLayoutTest, NormalizedKeepsEachIdOnceInTheMostHiddenSection) {
    const struct {
        SectionLayout input, expected;
    } cases[] = {
        {SectionLayout{}, layout({}, {}, {})},
        {SectionLayout{{{Section::shown, {A, B}}, {Section::hidden, {A}}}}, layout({}, {A}, {B})},
        {layout({A}, {A, B}, {A, B}), layout({A}, {B}, {})},
        {layout({}, {B, A, B}, {}), layout({}, {B, A}, {})},
        {layout({itemID("com.apple.Spotlight")}, {itemID("pid:12"), A},
                {itemID("com.apple.controlcenter"), itemID("com.apple.controlcenter.wifi"), B}),
         layout({}, {A}, {B})},
    };
    for (const auto &c : cases) {
        const SectionLayout normal = c.input.normalized();
        EXPECT_EQ(normal, c.expected) << "case " << &c - cases;
        EXPECT_EQ(normal.sections.size(), 3);
        EXPECT_EQ(normal.normalized(), normal);
    }
    // Equal ids that differ in title: the first survives with its own title.
    const SectionLayout kept =
        layout({}, {itemID("com.example.x", u"one"_s), itemID("com.example.x", u"two"_s)}, {})
            .normalized();
    EXPECT_EQ(kept.ids(Section::hidden).value(0).title, u"one"_s);
}

TEST(SectionLayoutTest, QueriesTreatMissingEntriesAsEmpty) {
    EXPECT_EQ((SectionLayout{{{Section::hidden, {A}}}}), layout({}, {A}, {}));
    EXPECT_NE(layout({}, {A, B}, {}), layout({}, {B, A}, {}));
    // Not normalised: the more hidden section answers, whatever the title.
    const SectionLayout twice{{{Section::hidden, {A}}, {Section::shown, {A}}}};
    EXPECT_EQ(twice.sectionOf(itemID("com.example.a", u"renamed"_s)), Section::hidden);
    EXPECT_EQ(twice.sectionOf(B), std::nullopt);

    const SectionLayout withoutB =
        SectionLayout{{{Section::shown, {B, A, B}}}}.forgettingUninstalled(
            [](const QString &bundleID) { return bundleID != u"com.example.b"_s; });
    EXPECT_EQ(withoutB, layout({}, {}, {A}));
    EXPECT_EQ(withoutB.sections.size(), 3);
}

TEST(SectionLayoutTest, EncodesOneSortedPairPerHeldEntry) {
    const auto entry = [](const QString &section, const QJsonArray &ids) {
        return QJsonObject{{u"section"_s, section}, {u"ids"_s, ids}};
    };
    EXPECT_EQ(
        SectionLayout{}.normalized().toJson(),
        (QJsonArray{entry(u"alwaysHidden"_s, {}), entry(u"hidden"_s, {}), entry(u"shown"_s, {})}));
    // Written as held: only the entries present, duplicates and all.
    const QJsonArray twice{A.toJson(), A.toJson()};
    EXPECT_EQ((SectionLayout{{{Section::shown, {A, A}}}}.toJson()),
              QJsonArray{entry(u"shown"_s, twice)});
}

TEST(SectionLayoutTest, DecodingNormalisesWhateverTheFileHeld) {
    const auto decode = [](const QString &text) {
        return SectionLayout::fromJson(JsonValueRef(parseJson(text.toUtf8())));
    };
    EXPECT_EQ(decode(u"[]"_s), layout({}, {}, {}));
    // A later entry for a section replaces an earlier one, and the result is normalised.
    EXPECT_EQ(decode(uR"([{"section": "shown", "ids": [%1, {"bundleID": "pid:9", "ordinal": 0}]},
                          {"section": "hidden", "ids": [%2]}, {"section": "hidden", "ids": [%1]}])"_s
                         .arg(kA, kB)),
              layout({}, {A}, {}));
    const SectionLayout full = layout({A}, {}, {itemID("com.example.c", u"C"_s), B});
    EXPECT_EQ(SectionLayout::fromJson(JsonValueRef(full.toJson())), full);

    for (const QString &bad :
         {uR"([{"section": "Shown", "ids": []}])"_s, uR"([{"section": "hidden"}])"_s,
          uR"([{"ids": []}])"_s, uR"([{"section": "hidden", "ids": [{"bundleID": "a"}]}])"_s,
          uR"([{"section": "hidden", "ids": []}, 3])"_s, uR"({"hidden": []})"_s}) {
        EXPECT_THROW((void)decode(bad), DecodeError) << bad.toStdString();
    }
}

// Indexes are 64-bit: none beyond the 32-bit range wraps round to a position inside the section.
TEST(SectionPlacementTest, InsertionIndexStaysWithinTheSectionAndNegativeMeansFirst) {
    // clang-format off
    const struct {
        std::optional<qint64> index;
        qsizetype count, expected;
    } cases[] = {
        {0, 3, 0}, {2, 3, 2}, {3, 3, 3}, {9, 3, 3}, {std::nullopt, 3, 3}, {-1, 3, 0},
        {-1, 0, 0}, {0, 0, 0}, {std::nullopt, 0, 0},
        {4294967296, 3, 3}, {4294967297, 3, 3}, {-4294967295, 3, 0}};
    // clang-format on
    for (const auto &c : cases) {
        EXPECT_EQ((SectionPlacement{Section::hidden, c.index}.insertionIndex(c.count)), c.expected)
            << c.index.value_or(-999) << " of " << c.count;
    }
}
