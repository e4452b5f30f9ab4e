#include "powerreading.h"
#include "context/simpowersources.h"

#include <QVariantMap>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct PowerCase {
    const char *name;
    std::optional<QVariantList> descriptions;
    PowerReading expected;
};

QVariantMap battery(QVariant current, QVariant maximum, QVariant state, QVariant charging) {
    QVariantMap description;
    for (const auto &[key, value] : {std::pair{PowerSourceKey::currentCapacity, current},
                                     std::pair{PowerSourceKey::maxCapacity, maximum},
                                     std::pair{PowerSourceKey::powerSourceState, state},
                                     std::pair{PowerSourceKey::isCharging, charging}}) {
        if (value.isValid()) {
            description.insert(key, value);
        }
    }
    return description;
}

QVariantMap onMains(QVariant current, QVariant maximum) {
    return battery(current, maximum, u"AC Power"_s, false);
}

void PrintTo(const PowerCase &c, std::ostream *os) {
    *os << c.name;
}

class PowerReadingTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerReadingTest, readsTheFirstDescribedSource) {
    SimPowerSources sources;
    sources.setDescriptions(GetParam().descriptions);
    EXPECT_EQ(readPower(sources), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, PowerReadingTest,
    ::testing::Values(
        PowerCase{"whole", QVariantList{onMains(57, 100)}, {57, false, false}},
        PowerCase{"twoThirdsRoundsUp", QVariantList{onMains(2, 3)}, {67, false, false}},
        PowerCase{"halfRoundsAway", QVariantList{onMains(1, 8)}, {13, false, false}},
        PowerCase{"noMaximum", QVariantList{onMains(5, 0)}, {std::nullopt, false, false}},
        PowerCase{"overfullClamped", QVariantList{onMains(150, 100)}, {100, false, false}},
        PowerCase{"negativeClamped", QVariantList{onMains(-5, 100)}, {0, false, false}},
        PowerCase{
            "capacityAsText", QVariantList{onMains(u"57"_s, 100)}, {std::nullopt, false, false}},
        PowerCase{
            "capacityAsFraction", QVariantList{onMains(57.5, 100)}, {std::nullopt, false, false}},
        PowerCase{"chargingOnMains",
                  QVariantList{battery(40, 100, u"AC Power"_s, true)},
                  {40, true, false}},
        PowerCase{"onBattery",
                  QVariantList{battery(40, 100, u"Battery Power"_s, false)},
                  {40, false, true}},
        PowerCase{"chargingAsText",
                  QVariantList{battery(40, 100, u"AC Power"_s, u"yes"_s)},
                  {40, false, false}},
        PowerCase{
            "stateAsNumber", QVariantList{battery(40, 100, 1, QVariant())}, {40, false, false}},
        PowerCase{"firstUndescribedSkipped",
                  QVariantList{QVariant(u"junk"_s), battery(9, 10, u"Battery Power"_s, false)},
                  {90, false, true}},
        PowerCase{"onlyTheFirstCounts",
                  QVariantList{onMains(10, 100), battery(90, 100, u"Battery Power"_s, true)},
                  {10, false, false}},
        PowerCase{"noSource", QVariantList{}, {std::nullopt, false, false}},
        PowerCase{"noInformation", std::nullopt, {std::nullopt, false, false}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimPowerSourcesTest, describesTheBatteryAsTheSystemDoes) {
    SimPowerSources sources;
    EXPECT_EQ(readPower(sources), (PowerReading{100, false, false}));
    sources.setBattery(18, false, true);
    EXPECT_EQ(readPower(sources), (PowerReading{18, false, true}));
    sources.removeBattery();
    EXPECT_EQ(readPower(sources), (PowerReading{std::nullopt, false, false}));
}

} // namespace
} // namespace zorv
