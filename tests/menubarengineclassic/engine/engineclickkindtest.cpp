#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

struct ClickKindCase {
    const char *name;
    ClickKind click;
    // What the item saw.
    ItemClickKind delivered;
    MouseButton button;
    quint64 modifierFlags;

    friend void PrintTo(const ClickKindCase &c, std::ostream *out) { *out << c.name; }
};

class ClickKindTest : public EngineTest, public ::testing::WithParamInterface<ClickKindCase> {};

// Each kind of activation reaches the item as that kind of click, at its centre, where the cursor
// is left.
TEST_P(ClickKindTest, clicksTheItemWithTheButtonAndModifiersOfTheKind) {
    const ClickKindCase &c = GetParam();
    addLaptop();
    furnishSections();
    startEngine();
    drive(engine->activate(idOf(u"shown"_s), c.click));

    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().itemId, shown);
    EXPECT_EQ(clicks.first().kind, c.delivered);
    EXPECT_EQ(clicks.first().button, c.button);
    EXPECT_EQ(clicks.first().modifierFlags, c.modifierFlags);
    const QJsonObject record = readFile(u"last-activate.json"_s);
    const QPointF centre = entry(shown).frame.center();
    EXPECT_EQ(QPointF(record.value(u"x"_s).toDouble(), record.value(u"y"_s).toDouble()), centre);
    EXPECT_EQ(desktop.readout().cursor().location, centre);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ClickKindTest,
    ::testing::Values(ClickKindCase{"Left", ClickKind::left, ItemClickKind::Left, MouseButton::Left,
                                    EventFlags::none},
                      ClickKindCase{"Option", ClickKind::option, ItemClickKind::Option,
                                    MouseButton::Left, EventFlags::option},
                      ClickKindCase{"Right", ClickKind::right, ItemClickKind::Right,
                                    MouseButton::Right, EventFlags::none}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
