#include "simoptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(SimOptionsTest, ReadsEveryOption) {
    const auto parsed = SimOptions::parse(
        {u"zorv"_s, u"--sim-scenario"_s, u"crowded-bar"_s, u"--sim-time"_s, u"fast"_s,
         u"--sim-run-for"_s, u"3600"_s, u"--sim-dump"_s, u"out.json"_s, u"--sim-screenshots"_s,
         u"shots"_s, u"--sim-positions"_s, u"kept.json"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed));
    const SimOptions &options = std::get<SimOptions>(parsed);
    EXPECT_EQ(options.scenario, u"crowded-bar"_s);
    EXPECT_EQ(options.time, SimOptions::TimeMode::Fast);
    EXPECT_EQ(options.runFor, seconds(3600));
    EXPECT_EQ(options.dumpPath, u"out.json"_s);
    EXPECT_EQ(options.screenshotFolder, u"shots"_s);
    EXPECT_EQ(options.positionsPath, u"kept.json"_s);

    const auto defaults = SimOptions::parse({u"zorv"_s});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(defaults));
    EXPECT_EQ(
        std::get<SimOptions>(defaults),
        (SimOptions{u"laptop"_s, SimOptions::TimeMode::Real, std::nullopt, {}, {}, {}, false}));
}

TEST(SimOptionsTest, RefusesWhatItDoesNotUnderstand) {
    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{u"--sim-time"_s, u"slow"_s}, u"--sim-time takes \"real\" or \"fast\""_s},
        {{u"--sim-run-for"_s, u"0"_s}, u"--sim-run-for takes a number of seconds above 0"_s},
        {{u"--sim-run-for"_s, u"-5"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"nan"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"1e30"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-run-for"_s, u"an hour"_s}, u"--sim-run-for takes"_s},
        {{u"--sim-dump"_s}, u"Missing value after '--sim-dump'."_s},
        {{u"--sim-dump"_s, u""_s}, u"--sim-dump needs a file name."_s},
        {{u"--sim-positions"_s, u""_s}, u"--sim-positions needs a file name."_s},
        {{u"--sim-speed"_s, u"2"_s}, u"Unknown option 'sim-speed'."_s},
        {{u"laptop"_s}, u"Unexpected argument \"laptop\"."_s},
        {{u"--sim-time"_s, u"fast"_s, u"--sim-screenshots"_s, u"shots"_s},
         u"--sim-time fast with --sim-screenshots needs --sim-run-for."_s},
    };
    for (const auto &[arguments, error] : cases) {
        const auto parsed = SimOptions::parse(QStringList{u"zorv"_s} + arguments);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(std::get<QString>(parsed).startsWith(error))
            << std::get<QString>(parsed).toStdString();
    }
}

} // namespace
} // namespace zorv
