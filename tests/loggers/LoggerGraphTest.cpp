// The graphs' shapes from known values, limits, and two TV loggers matched by frequency.
#include <gtest/gtest.h>

#include "loggers/LoggerGraph.h"

namespace veltra {
namespace {

TvRecord Record(const std::string& mhz, const std::string& type, const std::string& level,
                const std::string& quality) {
    return {"1", "CH", mhz, "8.00", "0.00", type, level, "DVB-C", "QAM256", "6952", quality, ""};
}

TEST(LoggerGraph, BarsPointsAndTheThresholdFromKnownValues) {
    TvLogger tv;
    tv.records = {Record("100.00", "ANALOG", "60.0", "45.0"),
                  Record("200.00", "DIGITAL", "40.0", "30.0"), Record("x", "DIGITAL", "1", "")};
    const auto channels = TvGraphChannels(tv);
    ASSERT_EQ(channels.size(), 2u);  // the unreadable record is left out
    // A plot of 400 x 100 pixels inside the margins.
    const GraphLayout g = LayoutGraph(channels, {}, Limits{}, 50.0, 480, 148);
    EXPECT_DOUBLE_EQ(g.plot.left, 44);
    EXPECT_DOUBLE_EQ(g.plot.width, 400);
    EXPECT_DOUBLE_EQ(g.minMHz, 96);
    EXPECT_DOUBLE_EQ(g.maxMHz, 204);
    EXPECT_DOUBLE_EQ(g.maxLevel, 80);  // the 77 dBuV limit, rounded up
    ASSERT_EQ(g.bars.size(), 2u);
    EXPECT_DOUBLE_EQ(g.bars[0].rect.left, 44 + 2);  // a gap on each side
    EXPECT_NEAR(g.bars[0].rect.width, 8.0 / 108 * 400 - 4, 1e-9);
    EXPECT_DOUBLE_EQ(g.bars[0].rect.top, 20 + 100 - 60.0 / 80 * 100);
    EXPECT_DOUBLE_EQ(g.bars[0].rect.top + g.bars[0].rect.height, 120);
    EXPECT_FALSE(g.bars[0].outside);
    EXPECT_TRUE(g.bars[1].outside);  // below the threshold, the level limit and the MER limit
    EXPECT_TRUE(g.bars[1].digital);
    EXPECT_DOUBLE_EQ(g.points[1].y, 20 + 100 - 30.0 / 60 * 100);
    EXPECT_DOUBLE_EQ(*g.thresholdY, 20 + 100 - 50.0 / 80 * 100);
    // The limits on their own axes: each kind's levels on the left (analog from 60, digital
    // from 47, both to 77), MER 32 and C/N 43 on the right, each kind holding a quality.
    // The maximum of 77 is drawn once for both.
    ASSERT_EQ(g.limitLines.size(), 5u);
    EXPECT_EQ(g.limitLines[0].of, LimitLine::Analog);
    EXPECT_DOUBLE_EQ(g.limitLines[0].y, 20 + 100 - 60.0 / 80 * 100);
    EXPECT_DOUBLE_EQ(g.limitLines[1].y, 20 + 100 - 47.0 / 80 * 100);
    EXPECT_EQ(g.limitLines[2].of, LimitLine::Both);
    EXPECT_EQ(g.limitLines[4].kind, LimitLine::MinCn);
    EXPECT_DOUBLE_EQ(g.limitLines[4].y, 20 + 100 - 43.0 / 60 * 100);
    // One pair where the kinds' ranges are the same (a DOCSIS downstream's).
    EXPECT_EQ(
        LayoutGraph(channels, {}, GraphLimits(BuiltInLimitSets().front(), kShowDown), {}, 480, 148)
            .limitLines.size(),
        4u);
    EXPECT_EQ(BarAt(g, g.bars[1].rect.left + 1, 100)->channel, 1u);
    EXPECT_FALSE(BarAt(g, 60 + 44 + 8.0 / 108 * 400, 100));  // between the bars

    // Compared: each channel's width shared by the pair.
    const GraphLayout pair = LayoutGraph(channels, channels, Limits{}, {}, 480, 148);
    ASSERT_EQ(pair.bars.size(), 4u);
    EXPECT_DOUBLE_EQ(pair.bars[0].rect.width, pair.bars[2].rect.width);
    EXPECT_DOUBLE_EQ(pair.bars[2].rect.left, pair.bars[0].rect.left + pair.bars[0].rect.width);
}

// The modem logger's two graphs: downstream rows with their MER, upstream rows with their width;
// a row the modem did not measure is left out.
TEST(LoggerGraph, ModemChannelsOfBothDirections) {
    ModemLogger modem;
    modem.down[0] = {"1", "D1", "DOCSI", "602.00", "60.1", "36.4", "QAM256"};
    modem.down[1] = {"2", "-", "----", "-", "-", "-", "-"};
    modem.up[2] = {"3", "3", "44.60", "104.5", "0", "6.40", "5120", "16QAM"};
    const auto down = ModemDownGraphChannels(modem);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_DOUBLE_EQ(down[0].frequencyMHz, 602);
    EXPECT_DOUBLE_EQ(down[0].level, 60.1);
    EXPECT_DOUBLE_EQ(*down[0].quality, 36.4);
    const auto up = ModemGraphChannels(modem);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].row, 2u);
    EXPECT_DOUBLE_EQ(up[0].bandwidthMHz, 6.4);
    EXPECT_FALSE(up[0].quality);
}

TEST(LoggerGraph, LimitsPerChannelKind) {
    const Limits limits;
    const struct {
        GraphChannel channel;
        bool outside;
    } cases[] = {
        {{0, 100, 8, 60, 45.0, false}, false},
        {{0, 100, 8, 60, 40.0, false}, true},         // C/N below 43
        {{0, 100, 8, 60, 40.0, true}, false},         // a MER of 40 is fine
        {{0, 100, 8, 78, std::nullopt, true}, true},  // too strong
        {{0, 100, 8, 46, std::nullopt, true}, true},  // too weak
        {{0, 100, 8, 60, 40.0, true, true}, true},    // its verdict fails (a BER)
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutsideLimits(c.channel, limits, std::nullopt), c.outside) << c.channel.level;
}

TEST(LoggerGraph, TwoLoggersMatchByFrequency) {
    TvLogger before, after;
    before.records = {Record("602.00", "DIGITAL", "60.0", "35.0"),
                      Record("610.00", "DIGITAL", "61.0", "36.0")};
    after.records = {Record("602.004", "DIGITAL", "57.5", "33.0"),
                     Record("618.00", "DIGITAL", "50.0", "30.0")};
    const auto compared = CompareTvLoggers(before, after);
    ASSERT_EQ(compared.size(), 3u);
    EXPECT_EQ(compared[0].first, 0u);
    EXPECT_EQ(compared[0].second, 0u);
    EXPECT_DOUBLE_EQ(*compared[0].levelDifference, -2.5);
    EXPECT_DOUBLE_EQ(*compared[0].qualityDifference, -2.0);
    EXPECT_EQ(compared[1].first, 1u);  // only before
    EXPECT_FALSE(compared[1].second);
    EXPECT_FALSE(compared[1].levelDifference);
    EXPECT_FALSE(compared[2].first);  // only after
    EXPECT_EQ(compared[2].second, 1u);
}

}  // namespace
}  // namespace veltra
