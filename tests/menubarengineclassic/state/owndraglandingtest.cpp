#include "state/wantedlayout.h"
#include "statetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

UserDrags::Lanes lanes(const QStringList &shown, const QStringList &hidden) {
    return {{Section::shown, stateIds(shown)}, {Section::hidden, stateIds(hidden)}};
}

struct LandingCase {
    const char *name;
    // Whether the reading that shows the engine's drag landed is still taken amid the run.
    bool landsAmidTheRun;
    // The lanes of that reading: c, dragged by the engine, lands right of d.
    UserDrags::Lanes landed;
    std::optional<QString> taken;
    SectionLayout layout;

    friend void PrintTo(const LandingCase &c, std::ostream *out) { *out << c.name; }
};

class OwnDragLandingTest : public ::testing::TestWithParam<LandingCase> {};

// The run drags c from the shown lane into the hidden one, where the layout puts it before d; the
// drag shows only on a later scan, and lands after d. The user is at the controls all along. c
// landing somewhere else than the layout says is still the engine's doing, never the user's.
TEST_P(OwnDragLandingTest, takesOnlyTheUsersItemWhenTheEnginesDragLandsLate) {
    const LandingCase &c = GetParam();
    const SectionLayout start = stateLayout({u"a"_s, u"b"_s}, {u"c"_s, u"d"_s});
    WantedLayout wanted(start);
    const auto userDragged = [](MonotonicTime) { return true; };
    const auto read = [](int second, UserDrags::Lanes lanes) {
        return WantedLayout::DragReading{std::chrono::seconds(second), true, std::move(lanes)};
    };
    const UserDrags::Lanes beforeTheDrag = lanes({u"c"_s, u"a"_s, u"b"_s}, {u"d"_s});
    (void)wanted.takeUserDrag(std::nullopt, read(1, beforeTheDrag), userDragged, true);
    wanted.ownDragPosted(stateId(u"c"_s));
    EXPECT_EQ(
        wanted.takeUserDrag(wanted.forgetReading(), read(2, beforeTheDrag), userDragged, true),
        std::nullopt);

    EXPECT_EQ(wanted.takeUserDrag(wanted.forgetReading(), read(3, c.landed), userDragged,
                                  c.landsAmidTheRun),
              c.taken ? std::optional(stateId(*c.taken)) : std::nullopt);
    EXPECT_EQ(wanted.storedLayout(), c.layout);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, OwnDragLandingTest,
    ::testing::Values(LandingCase{"AmidTheRun", true, lanes({u"a"_s, u"b"_s}, {u"d"_s, u"c"_s}),
                                  std::nullopt, stateLayout({u"a"_s, u"b"_s}, {u"c"_s, u"d"_s})},
                      LandingCase{"OnTheFirstReadingAfterTheRun", false,
                                  lanes({u"a"_s, u"b"_s}, {u"d"_s, u"c"_s}), std::nullopt,
                                  stateLayout({u"a"_s, u"b"_s}, {u"c"_s, u"d"_s})},
                      // The user dragged b into the hidden lane meanwhile: b alone is taken, right
                      // after its nearest left neighbour on the bar.
                      LandingCase{"BesideTheUsersDrag", true,
                                  lanes({u"a"_s}, {u"d"_s, u"c"_s, u"b"_s}), u"b"_s,
                                  stateLayout({u"a"_s}, {u"c"_s, u"b"_s, u"d"_s})}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
