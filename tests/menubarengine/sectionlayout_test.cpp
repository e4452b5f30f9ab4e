#include "sectionlayout.h"
#include "sectionplacement.h"

#include "jsonreader.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID itemID(const QString &bundleID, std::optional<QString> axIdentifier = {},
                     std::optional<QString> title = {}) {
    return MenuBarItemID{.bundleID = bundleID,
                         .axIdentifier = std::move(axIdentifier),
                         .title = std::move(title),
                         .ordinal = 0};
}

SectionLayout layout(QList<MenuBarItemID> alwaysHidden, QList<MenuBarItemID> hidden,
                     QList<MenuBarItemID> shown) {
    return SectionLayout{{{Section::alwaysHidden, alwaysHidden},
                          {Section::hidden, hidden},
                          {Section::shown, shown}}};
}

SectionLayout decode(const QString &text) {
    return SectionLayout::fromJson(JsonValueRef(parseJson(text.toUtf8())));
}

const MenuBarItemID A = itemID(u"com.example.a"_s);
const MenuBarItemID B = itemID(u"com.example.b"_s);
const QString kA = uR"({"bundleID": "com.example.a", "ordinal": 0})"_s;
const QString kB = uR"({"bundleID": "com.example.b", "ordinal": 0})"_s;

} // namespace

TEST(SectionLayoutTest, NormalizedKeepsEachIdOnceInTheMostHiddenSection) {
    const auto pinned = [](const char *bundleID) { return itemID(QString::fromLatin1(bundleID)); };
    struct Case {
        const char *name;
        SectionLayout input;
        SectionLayout expected;
    };
    const Case cases[] = {
        {"empty", SectionLayout{}, layout({}, {}, {})},
        {"shown and hidden", SectionLayout{{{Section::shown, {A, B}}, {Section::hidden, {A}}}},
         layout({}, {A}, {B})},
        {"all three", layout({A}, {A, B}, {A, B}), layout({A}, {B}, {})},
        {"twice in one section", layout({}, {B, A, B}, {}), layout({}, {B, A}, {})},
        {"system and process-id items",
         layout({pinned("com.apple.Spotlight")}, {pinned("pid:12"), A},
                {pinned("com.apple.controlcenter"), pinned("com.apple.controlcenter.wifi"), B}),
         layout({}, {A}, {B})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SectionLayout normal = c.input.normalized();
        EXPECT_EQ(normal, c.expected);
        EXPECT_EQ(normal.sections.size(), 3);
        EXPECT_EQ(normal.normalized(), normal);
    }

    // Equal ids that differ in title: the first survives with its own title.
    const auto first = itemID(u"com.example.x"_s, u"item"_s, u"one"_s);
    const auto second = itemID(u"com.example.x"_s, u"item"_s, u"two"_s);
    const SectionLayout kept = SectionLayout{{{Section::hidden, {first, second}}}}.normalized();
    ASSERT_EQ(kept.ids(Section::hidden).size(), 1);
    EXPECT_EQ(kept.ids(Section::hidden).first().title, u"one"_s);
}

TEST(SectionLayoutTest, QueriesTreatMissingEntriesAsEmpty) {
    EXPECT_EQ((SectionLayout{{{Section::hidden, {A}}}}), layout({}, {A}, {}));
    EXPECT_NE((SectionLayout{{{Section::hidden, {A}}}}), layout({}, {}, {A}));
    EXPECT_NE(layout({}, {A, B}, {}), layout({}, {B, A}, {}));

    // Not normalised: the more hidden section answers, whatever the title.
    const SectionLayout twice{{{Section::hidden, {A}}, {Section::shown, {A}}}};
    EXPECT_EQ(twice.sectionOf(itemID(u"com.example.a"_s, {}, u"renamed"_s)), Section::hidden);
    EXPECT_EQ(twice.sectionOf(B), std::nullopt);

    const SectionLayout input{{{Section::shown, {B, A, B}}}};
    const SectionLayout all = input.forgettingUninstalled([](const QString &) { return true; });
    EXPECT_EQ(all.sections.size(), 3);
    EXPECT_EQ(all.ids(Section::shown), (QList<MenuBarItemID>{B, A, B}));
    const SectionLayout withoutB = input.forgettingUninstalled(
        [](const QString &bundleID) { return bundleID != u"com.example.b"_s; });
    EXPECT_EQ(withoutB.ids(Section::shown), QList<MenuBarItemID>{A});
}

TEST(SectionLayoutTest, EncodesOneSortedPairPerHeldEntry) {
    const QJsonArray empty = SectionLayout{}.normalized().toJson().toArray();
    const QJsonArray expected{
        QJsonObject{{u"section"_s, u"alwaysHidden"_s}, {u"ids"_s, QJsonArray()}},
        QJsonObject{{u"section"_s, u"hidden"_s}, {u"ids"_s, QJsonArray()}},
        QJsonObject{{u"section"_s, u"shown"_s}, {u"ids"_s, QJsonArray()}}};
    EXPECT_EQ(empty, expected);

    // Written as held: only the entries present, duplicates and all.
    const QJsonArray partial = SectionLayout{{{Section::shown, {A, A}}}}.toJson().toArray();
    EXPECT_EQ(partial, (QJsonArray{QJsonObject{{u"section"_s, u"shown"_s},
                                               {u"ids"_s, QJsonArray{A.toJson(), A.toJson()}}}}));
}

TEST(SectionLayoutTest, DecodingNormalisesWhateverTheFileHeld) {
    struct Case {
        const char *name;
        QString document;
        SectionLayout expected;
    };
    const Case cases[] = {
        {"empty array", u"[]"_s, layout({}, {}, {})},
        {"later element replaces earlier",
         uR"([{"section": "hidden", "ids": [%1]}, {"section": "hidden", "ids": [%2]}])"_s.arg(kA,
                                                                                              kB),
         layout({}, {B}, {})},
        {"shown then hidden",
         uR"([{"section": "shown", "ids": [%1]}, {"section": "hidden", "ids": [%1]}])"_s.arg(kA),
         layout({}, {A}, {})},
        {"hidden then shown",
         uR"([{"section": "hidden", "ids": [%1]}, {"section": "shown", "ids": [%1]}])"_s.arg(kA),
         layout({}, {A}, {})},
        {"system and process-id ids",
         uR"([{"section": "shown", "ids": [{"bundleID": "com.apple.controlcenter", "ordinal": 0},
              {"bundleID": "pid:99", "ordinal": 0}, {"bundleID": "com.apple.Spotlight",
              "ordinal": 1}, %1]}])"_s.arg(kA),
         layout({}, {}, {A})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SectionLayout decoded = decode(c.document);
        EXPECT_EQ(decoded, c.expected);
        EXPECT_EQ(decoded.sections.size(), 3);
    }

    const SectionLayout full = layout({A}, {}, {itemID(u"com.example.c"_s, u"c"_s, u"C"_s), B});
    EXPECT_EQ(SectionLayout::fromJson(JsonValueRef(full.toJson())), full);

    const QString malformed[] = {
        uR"([{"section": "Shown", "ids": []}])"_s,
        uR"([{"section": "hidden"}])"_s,
        uR"([{"ids": []}])"_s,
        uR"([{"section": "hidden", "ids": [{"bundleID": "com.example.a"}]}])"_s,
        uR"([{"section": "hidden", "ids": [%1]}, 3])"_s.arg(kA),
        uR"({"hidden": []})"_s,
    };
    for (const QString &document : malformed) {
        SCOPED_TRACE(document.toStdString());
        EXPECT_THROW((void)decode(document), DecodeError);
    }
}

TEST(SectionPlacementTest, InsertionIndexStaysWithinTheSection) {
    struct Case {
        std::optional<int> index;
        qsizetype count;
        qsizetype expected;
    };
    const Case cases[] = {
        {0, 3, 0},  {2, 3, 2},  {3, 3, 3}, {9, 3, 3},           {std::nullopt, 3, 3},
        {-1, 3, 0}, {-1, 0, 0}, {0, 0, 0}, {std::nullopt, 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.index.value_or(-999) << " of " << c.count);
        EXPECT_EQ((SectionPlacement{Section::hidden, c.index}.insertionIndex(c.count)), c.expected);
    }
}
