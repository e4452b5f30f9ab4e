#include "sectionindex.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

MenuBarItemID named(const char *bundleID, const QString &identifier, qint64 ordinal = 0,
                    std::optional<QString> title = {}) {
    return {QString::fromLatin1(bundleID), identifier, std::move(title), ordinal};
}

MenuBarItemID slot(const char *bundleID, qint64 ordinal) {
    return {QString::fromLatin1(bundleID), std::nullopt, std::nullopt, ordinal};
}

} // namespace

// The index answers as the layout's own scan does, for layouts in normal form or not: the most
// hidden section listing an equal id, titles and (for named items) ordinals aside.
TEST(SectionIndexTest, AnswersAsTheLayoutDoes) {
    const MenuBarItemID a = named("com.example.a", u"item"_s);
    const MenuBarItemID b = slot("com.example.b", 1);
    const MenuBarItemID c = slot("com.example.b", 2);
    const SectionLayout layouts[] = {
        SectionLayout{},
        SectionLayout{{{Section::shown, {a, b}}}},
        SectionLayout{{{Section::shown, {a, b, a}}, {Section::hidden, {c, a}}}},
        SectionLayout{
            {{Section::alwaysHidden, {b}}, {Section::hidden, {b, c}}, {Section::shown, {b}}}},
    };
    const MenuBarItemID probes[] = {
        a,
        b,
        c,
        named("com.example.a", u"item"_s, 7, u"renamed"_s),
        named("com.example.a", u""_s, 0),
        slot("com.example.a", 0),
        slot("com.example.b", 3),
        named("com.example.c", u"item"_s),
    };
    for (const SectionLayout &layout : layouts) {
        const SectionIndex index(layout);
        for (const MenuBarItemID &probe : probes) {
            EXPECT_EQ(index.sectionOf(probe), layout.sectionOf(probe))
                << "layout " << &layout - layouts << ", probe " << &probe - probes;
        }
    }
}
