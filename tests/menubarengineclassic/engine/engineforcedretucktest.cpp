#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// A display where the separators' lengths hide nothing: every scan finds nothing hidden.
class ForcedRetuckTest : public EngineTest {
protected:
    void SetUp() override {
        ScreenDescription display;
        display.notHiding = true;
        desktop.arrangement().add(display);
        furnishSections();
    }

    [[nodiscard]] QStringList retuckActions() const {
        QStringList actions;
        for (const QJsonObject &record : records(u"reconcile-log.jsonl"_s, u"nothing-hidden"_s)) {
            actions.append(record.value(u"action"_s).toString());
        }
        return actions;
    }

    [[nodiscard]] QList<QJsonObject> forcedTucks() const {
        QList<QJsonObject> forced;
        for (const QJsonObject &record : records(u"events.jsonl"_s, u"tuck"_s)) {
            if (record.contains(u"forcedReflow"_s)) {
                forced.append(record);
            }
        }
        return forced;
    }
};

struct ForcedRetuckCase {
    const char *name;
    // Whether the system moves the icon behind the separators just before the forced retuck.
    bool iconMisseated;

    friend void PrintTo(const ForcedRetuckCase &c, std::ostream *out) { *out << c.name; }
};

class ForcedRetuckOutcomeTest : public ForcedRetuckTest,
                                public ::testing::WithParamInterface<ForcedRetuckCase> {};

// Nothing is hidden from the stable scan at 30 s on. The scan at 60 s retucks plainly (the spell
// is exactly 30 s old); at 90 s the last retuck is exactly 30 s old, so nothing; the scan at 120 s
// retucks forcing the bar to reflow, records it and leaves the reveal state alone. A misseated
// icon refuses that tuck, which blocks hiding and starts the recovery at once.
TEST_P(ForcedRetuckOutcomeTest, forcesAReflowOnceNothingIsHiddenForMoreThanThirtySeconds) {
    const ForcedRetuckCase &c = GetParam();
    int refusals = 0;
    engine->setOnTuckRefused([&refusals] { ++refusals; });
    startEngine();
    run(119.5);
    EXPECT_EQ(retuckActions(), QStringList{u"retuck"_s});
    EXPECT_TRUE(forcedTucks().isEmpty());
    if (c.iconMisseated) {
        ASSERT_TRUE(desktop.items().moveZorvIconLeftOfSeparators());
    }

    run(1.0);
    EXPECT_EQ(retuckActions(), (QStringList{u"retuck"_s, u"retuck, forcing a reflow"_s}));
    const QList<QJsonObject> forced = forcedTucks();
    ASSERT_EQ(forced.size(), 1);
    EXPECT_EQ(forced.first().value(u"reason"_s).toString(), u"nothing-hidden"_s);
    EXPECT_EQ(forced.first().value(u"refused"_s).toBool(), c.iconMisseated);
    EXPECT_TRUE(forced.first().value(u"geometry"_s).isObject());
    EXPECT_EQ(readFile(u"diagnostics.json"_s).value(u"kind"_s).toString(), u"tuck"_s);
    // The retuck leaves the reveal state alone; the recovery of a refused one shows everything.
    EXPECT_EQ(engine->isRevealed(), c.iconMisseated);
    EXPECT_TRUE(reasons(u"reveal"_s).isEmpty());
    EXPECT_EQ(refusals, c.iconMisseated ? 1 : 0);
    EXPECT_EQ(engine->hidingBlocked(), c.iconMisseated
                                           ? std::optional(HidingBlockedReason::iconMisseated)
                                           : std::optional(HidingBlockedReason::displayNotHiding));
    run(3.0);
    EXPECT_EQ(records(u"events.jsonl"_s, u"tuck-recovery"_s).isEmpty(), !c.iconMisseated);
}

INSTANTIATE_TEST_SUITE_P(Icons, ForcedRetuckOutcomeTest,
                         ::testing::Values(ForcedRetuckCase{"IconInItsSeat", false},
                                           ForcedRetuckCase{"IconMisseated", true}),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace zorv::testing
