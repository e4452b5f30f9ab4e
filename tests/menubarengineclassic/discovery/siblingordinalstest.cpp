#include "discovery/siblingordinals.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString kApp = u"com.example.quad"_s;

// One sighting of the application, left to right: "S22" is a shown item 22 points wide without
// identifier, "Hx22" a hidden one with the identifier "x".
struct Sighted {
    Section lane;
    int width;
    std::optional<QString> identifier;
};

struct NamingCase {
    const char *name;
    QList<Sighted> bar;
    // The registry's ordinals, left to right.
    QList<int> registry;
    // The layout's ordinals without identifier per lane.
    QList<int> shown;
    QList<int> hidden;
    QList<int> expected;
};

class SiblingNaming : public ::testing::TestWithParam<NamingCase> {};

TEST_P(SiblingNaming, NamesInterchangeableItemsAfterTheLayout) {
    const NamingCase &c = GetParam();
    QList<DiscoveredItem> found;
    QList<Section> lanes;
    for (qsizetype i = 0; i < c.bar.size(); ++i) {
        const double left = 100.0 + 40.0 * double(i);
        found.append({kApp, u"Quad"_s, 7, c.bar[i].identifier, std::nullopt,
                      QRectF(left, 0, c.bar[i].width, 24), c.registry[i]});
        lanes.append(c.bar[i].lane);
    }
    const auto ids = [](const QList<int> &ordinals) {
        QList<MenuBarItemID> list;
        for (const int ordinal : ordinals) {
            list.append({kApp, std::nullopt, std::nullopt, ordinal});
        }
        return list;
    };
    SectionLayout layout;
    layout.sections = {{Section::shown, ids(c.shown)}, {Section::hidden, ids(c.hidden)}};
    QList<int> named;
    for (const DiscoveredItem &item : SiblingOrdinals::named(found, lanes, layout.normalized())) {
        named.append(item.ordinal);
    }
    EXPECT_EQ(named, c.expected);
}

constexpr Sighted S{Section::shown, 22, std::nullopt};
constexpr Sighted H{Section::hidden, 22, std::nullopt};

INSTANTIATE_TEST_SUITE_P(
    Cases, SiblingNaming,
    ::testing::Values(
        // The layout hides the second and the fourth: the two leftmost shown ones are named
        // for the hidden lane, so they are the ones dragged there.
        NamingCase{
            "AllShownTwoWantedHidden", {S, S, S, S}, {0, 1, 2, 3}, {0, 2}, {1, 3}, {1, 3, 0, 2}},
        // Once they are there, the names stay whatever the registry's count by position says.
        NamingCase{"Settled", {H, H, S, S}, {0, 1, 2, 3}, {0, 2}, {1, 3}, {1, 3, 0, 2}},
        // One of them gone: the others still meet the layout lane by lane.
        NamingCase{"OneMissing", {H, S, S}, {0, 1, 2}, {0, 2}, {1, 3}, {1, 0, 2}},
        // One more than the layout holds: the newcomer keeps a number of its own.
        NamingCase{"OneMore", {H, S, S, S}, {4, 5, 6, 7}, {0}, {1, 3}, {1, 3, 0, 7}},
        // A wider item of the same application stands among the siblings: it keeps its own
        // number and its place in the layout, and only the three alike ones are named after
        // the lanes (the two leftmost for the hidden lane).
        NamingCase{"AWiderItemAmongThem",
                   {S, Sighted{Section::shown, 30, std::nullopt}, S, S},
                   {0, 1, 2, 3},
                   {1, 2},
                   {0, 3},
                   {0, 1, 3, 2}},
        NamingCase{"AWiderItemWantedHidden",
                   {S, Sighted{Section::shown, 30, std::nullopt}, S, S},
                   {0, 1, 2, 3},
                   {0, 2, 3},
                   {1},
                   {0, 1, 2, 3}},
        // Items told apart by width or identifier keep the registry's numbers.
        NamingCase{
            "ToldApart",
            {Sighted{Section::shown, 30, std::nullopt}, H, Sighted{Section::shown, 22, u"x"_s}},
            {0, 1, 2},
            {1},
            {0},
            {0, 1, 2}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
