#include "fastzorvrun.h"
#include "scenariomac.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QJsonArray>
#include <QPointF>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Wall time a short fast run may take on a busy machine; a run that never ends takes for ever.
constexpr qint64 kWallLimitMs = 60000;
constexpr int kEscape = 53;

struct Pane {
    // The word of its address, and its key.
    QString word;
    QString key;
};

// In rail order.
const std::vector<Pane> &panes() {
    static const std::vector<Pane> all{
        {u"general"_s, u"general"_s},   {u"layout"_s, u"arrange"_s}, {u"triggers"_s, u"triggers"_s},
        {u"profiles"_s, u"profiles"_s}, {u"search"_s, u"search"_s},  {u"style"_s, u"appearance"_s},
        {u"spacing"_s, u"spacing"_s},   {u"about"_s, u"about"_s},
    };
    return all;
}

// The shipped laptop with `events` as its timed events.
QJsonObject laptopWith(const QJsonArray &events) {
    QJsonObject scenario = shippedScenario(u"laptop"_s);
    scenario.insert(u"events"_s, events);
    return scenario;
}

void expectEndedCleanly(FastZorvRun &run, bool ended, double runFor) {
    ASSERT_TRUE(ended) << "the run did not end: " << run.errors().toStdString();
    EXPECT_TRUE(run.exitedNormally());
    EXPECT_EQ(run.exitCode(), 0) << run.errors().toStdString();
    EXPECT_EQ(run.dump().value(u"simulatedSeconds"_s).toDouble(), runFor);
}

// The rail's rows of the settings window as it opens in the middle of the laptop's screen, 32
// points apart.
QPointF railRow(std::size_t index) {
    return {373, 258 + 32 * double(index)};
}

// Settings opened at launch on each pane by its address, and each pane chosen on the rail of
// Settings opened at launch, lets fast time run on to the end of the run. Each pane's guide card,
// up a moment after the pane shows, takes an Escape a little later, which the stored settings
// record; on the rail, Menu Bar Layout first and General last.
TEST(FastTimePanesTest, EveryPaneOpenedAtLaunchLetsTheRunEnd) {
    std::vector<std::unique_ptr<FastZorvRun>> byAddress;
    for (const Pane &pane : panes()) {
        auto &run = byAddress.emplace_back(std::make_unique<FastZorvRun>());
        run->storeSettings(R"({"onboardingCompleted": true})");
        run->useScenario(laptopWith({keyAt(1, kEscape)}));
        run->start({u"--sim-run-for"_s, u"2"_s, u"zorv://settings/"_s + pane.word});
    }
    QJsonArray railEvents;
    QStringList railOrder;
    double at = 0.1;
    for (const std::size_t index : {1, 2, 3, 4, 5, 6, 7, 0}) {
        railEvents.append(clickAt(at, railRow(index).x(), railRow(index).y()));
        railEvents.append(keyAt(at + 0.9, kEscape));
        railOrder.append(panes()[index].key);
        at += 2;
    }
    FastZorvRun byRail;
    byRail.storeSettings(R"({"onboardingCompleted": true})");
    byRail.useScenario(laptopWith(railEvents));
    byRail.start({u"--sim-run-for"_s, u"17"_s, u"--open-settings"_s});

    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + kWallLimitMs;
    for (std::size_t i = 0; i < byAddress.size(); ++i) {
        SCOPED_TRACE("zorv://settings/" + panes()[i].word.toStdString());
        expectEndedCleanly(*byAddress[i], byAddress[i]->finishBy(deadline), 2);
        EXPECT_EQ(byAddress[i]->seenGuides(), QStringList{panes()[i].key});
    }
    SCOPED_TRACE("the rail");
    expectEndedCleanly(byRail, byRail.finishBy(deadline), 17);
    EXPECT_EQ(byRail.seenGuides(), railOrder);
}

} // namespace
} // namespace zorv
