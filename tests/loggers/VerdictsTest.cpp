// Verdicts at each limit's boundary, the network figures, and the units, on loggers made for it.
#include <gtest/gtest.h>

#include "loggers/LoggerCsv.h"
#include "loggers/Verdicts.h"
#include "support/TempFolder.h"

namespace veltra {
namespace {

const LimitSet& Outlet() {
    return BuiltInLimitSets().front();  // analog 60..77, digital 47..77, MER 32, C/N 43, BER 1E-4
}

TvRecord Channel(const std::string& mhz, bool digital, const std::string& level,
                 const std::string& quality = "", const std::string& ber = "") {
    return {"1",   "CH",    mhz,   "8.00", "0.00",  digital ? "DIGITAL" : "ANALOG",
            level, "DVB-C", "QAM", "6952", quality, ber};
}

const VerdictWords kWords{"Level", "threshold", "Pass", "not measured", {}};

TEST(Verdicts, EachLimitOnBothSidesOfItsBoundary) {
    const struct {
        TvRecord record;
        std::string reason;
    } cases[] = {
        {Channel("602", true, "47.0", "32.0", "1.0E-4"), "Pass"},
        {Channel("602", true, "46.9"), "Level 46.9 < 47.0"},
        {Channel("602", true, "77.0"), "Pass"},
        {Channel("602", true, "77.1"), "Level 77.1 > 77.0"},
        {Channel("175", false, "60.0", "43.0"), "Pass"},
        {Channel("175", false, "59.9", "42.9"), "Level 59.9 < 60.0; C/N 42.9 < 43.0"},
        {Channel("602", true, "60", "31.9"), "MER 31.9 < 32.0"},
        {Channel("602", true, "60", "", "1.1E-4"), "BER 1.1E-4 > 1.0E-4"},
        {Channel("602", true, "60", "", "<1.0E-8"), "Pass"},
        {Channel("602", true, "<30.0"), "Level 30.0 < 47.0"},  // below the instrument's range
        {Channel("602", true, "----"), "not measured"},
        {Channel("602", true, ""), "not measured"},
    };
    for (const auto& c : cases) {
        TvLogger tv;
        tv.records = {c.record};
        const LoggerVerdict verdict = JudgeTvLogger(tv, Outlet());
        ASSERT_EQ(verdict.channels.size(), 1u);
        EXPECT_EQ(ReasonText(verdict.channels[0], kWords, LevelUnit::dBuV), c.reason)
            << c.record[6] << " " << c.record[10] << " " << c.record[11];
    }
    // The logger's own threshold, beside the limit set's.
    TvLogger tv;
    tv.threshold = "50";
    tv.records = {Channel("602", true, "49.5")};
    EXPECT_EQ(ReasonText(JudgeTvLogger(tv, Outlet()).channels[0], kWords, LevelUnit::dBuV),
              "Level 49.5 < threshold 50.0");
}

TEST(Verdicts, NetworkFiguresOfEachKind) {
    TvLogger tv;
    tv.records = {Channel("200", false, "64"), Channel("100", false, "60"),
                  Channel("600", true, "50"),  Channel("610", true, "54"),
                  Channel("620", true, "51"),  Channel("630", true, "----")};
    const LoggerVerdict verdict = JudgeTvLogger(tv, Outlet());
    ASSERT_EQ(verdict.figures.size(), 7u);
    const struct {
        Figure figure;
        double value;
        bool pass;
    } expected[] = {
        {Figure::TiltAnalog, 4, true},
        {Figure::PeakToValleyAnalog, 4, true},
        {Figure::AdjacentAnalog, 4, false},
        {Figure::TiltDigital, 1, true},
        {Figure::PeakToValleyDigital, 4, true},
        {Figure::AdjacentDigital, 4, false},
        {Figure::DigitalToAnalog, 51.0 + 2.0 / 3 - 62, true},
    };
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(verdict.figures[k].figure, expected[k].figure) << k;
        EXPECT_NEAR(verdict.figures[k].value, expected[k].value, 1e-9) << k;
        EXPECT_EQ(verdict.figures[k].pass, expected[k].pass) << k;
    }
    EXPECT_DOUBLE_EQ(*verdict.figures[0].slopePer100MHz, 4);
    EXPECT_DOUBLE_EQ(*verdict.figures[3].slopePer100MHz, 5);
    EXPECT_EQ(verdict.measured(), 5u);  // the unmeasured channel is left out
    EXPECT_EQ(verdict.passed(), 5u);    // every channel within its limits,
    EXPECT_FALSE(verdict.pass());       // but neighbours 4 dB apart where 3 is the limit
}

TEST(Verdicts, OneChannelNoneAndTheOtherKinds) {
    TvLogger one;
    one.records = {Channel("602", true, "60")};
    EXPECT_TRUE(JudgeTvLogger(one, Outlet()).figures.empty());
    EXPECT_TRUE(JudgeTvLogger(one, Outlet()).pass());
    EXPECT_FALSE(JudgeTvLogger(TvLogger{}, Outlet()).pass());  // nothing measured, nothing passed

    DownLogger down;
    down.frequency = "610.00";
    down.mer = "34.9";
    down.preBer = "2.0E-6";
    down.rows[0] = {"1", "D1", "DOCSI", "602.00", "60.8"};
    down.rows[1] = {"2", "D2", "DOCSI", "610.00", "61.8"};
    const LoggerVerdict d = JudgeDownLogger(down, Outlet());
    EXPECT_EQ(d.measured(), 2u);
    EXPECT_EQ(ReasonText(d.channels[1], kWords, LevelUnit::dBuV), "MER 34.9 < 35.0");
    EXPECT_EQ(d.firstFailure()->channel, "D2");

    ModemLogger modem;
    modem.down[0] = {"1", "D1", "DOCSI", "602.00", "60.1", "36.4", "QAM256"};
    modem.up[0] = {"1", "1", "30.60", "112.5", "0", "6.40", "5120", "64QAM"};
    const LoggerVerdict m = JudgeModemLogger(modem, Outlet());
    EXPECT_EQ(m.passed(), 1u);
    EXPECT_TRUE(m.firstFailure()->upstream);
    // In dBmV: the instrument's dBuV less 60, limits too.
    EXPECT_EQ(ReasonText(*m.firstFailure(), kWords, LevelUnit::dBmV), "Level 52.5 > 52.0");
}

TEST(Verdicts, Units) {
    EXPECT_DOUBLE_EQ(LevelIn(60, LevelUnit::dBmV), 0);
    EXPECT_DOUBLE_EQ(LevelIn(44.6, LevelUnit::dBuV), 44.6);
    EXPECT_EQ(ParseLevelUnit("dBmV"), LevelUnit::dBmV);
    EXPECT_EQ(ParseLevelUnit("DBUV"), LevelUnit::dBuV);
    EXPECT_EQ(ParseLevelUnit("dB\xC2\xB5V"), LevelUnit::dBuV);
    EXPECT_FALSE(ParseLevelUnit("dBW"));
    EXPECT_TRUE(FindBuiltInLimitSet("subscriber outlet, 64qam"));
    EXPECT_FALSE(FindBuiltInLimitSet("none"));
}

// One conversion, every output: a level's text keeps its decimals and a bound its sign; headers
// name the unit; the spreadsheet and the shown copy of a logger convert its levels, and only
// those; the files' records stay the instrument's.
TEST(Verdicts, LevelsInDbmvEverywhere) {
    const std::pair<std::string, std::string> texts[] = {
        {"68.4", "8.4"}, {"45", "-15"}, {"<30.0", "<-30.0"}, {"----", "----"}, {"", ""}};
    for (const auto& [dBuV, dBmV] : texts) {
        EXPECT_EQ(LevelTextIn(dBuV, LevelUnit::dBmV), dBmV);
        EXPECT_EQ(LevelTextIn(dBuV, LevelUnit::dBuV), dBuV);
    }
    EXPECT_EQ(WithUnitNamed("PWR (dB\xC2\xB5V), Level (dBuV)", LevelUnit::dBmV),
              "PWR (dBmV), Level (dBmV)");
    LoggerRecords records;
    records.tv.threshold = "45";
    records.tv.records = {{"1", "D1", "602.00", "8.00", "0.00", "DIGITAL", "63.2", "DVB-C",
                           "QAM256", "6952", "38.8", "<1.0E-8"}};
    records.modem.up[0][3] = "102.5";
    records.down.power = "61.2";
    const LoggerRecords shown = WithLevelsIn(records, LevelUnit::dBmV);
    EXPECT_EQ(shown.tv.records[0][6], "3.2");
    EXPECT_EQ(shown.tv.records[0][10], "38.8");  // a MER is no level
    EXPECT_EQ(shown.tv.threshold, "-15");
    EXPECT_EQ(shown.modem.up[0][3], "42.5");
    EXPECT_EQ(shown.down.power, "1.2");
    const std::string csv = TvLoggerCsv(records.tv, {LevelUnit::dBmV, nullptr, {}});
    EXPECT_NE(csv.find("# Threshold (dBmV),-15\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",Level (dBmV),"), std::string::npos);
    EXPECT_NE(csv.find(",DIGITAL,3.2,DVB-C,QAM256,6952,38.8,"), std::string::npos);
    EXPECT_EQ(TvLoggerCsv(records.tv), TvLoggerCsv(records.tv, {LevelUnit::dBuV, nullptr, {}}));
    EXPECT_EQ(ModemLoggerCsv(records.modem, {LevelUnit::dBmV, nullptr, {}}).find("102.5"),
              std::string::npos);
    // Judged on a set: the set named, a verdict column, the figures among the header values.
    const CsvStyle judged{LevelUnit::dBuV, &BuiltInLimitSets().front(), VerdictWordsIn({})};
    const std::string withVerdicts = TvLoggerCsv(records.tv, judged);
    EXPECT_NE(withVerdicts.find("# Limits,\"Subscriber outlet, 256QAM\"\r\n"), std::string::npos);
    EXPECT_NE(withVerdicts.find(",BER,Verdict\r\n"), std::string::npos);
    EXPECT_NE(withVerdicts.find(",<1.0E-8,Pass\r\n"), std::string::npos);
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

// A limit set's file: what is written reads back the same; a bad file is refused, saying where.
TEST(LimitSetFiles, RoundTripAndRefusals) {
    std::string error;
    for (const LimitSet& set : BuiltInLimitSets()) {
        const auto back = ParseLimitSet(FormatLimitSet(set), error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(FormatLimitSet(*back), FormatLimitSet(set));
        EXPECT_EQ(back->name, set.name);
        EXPECT_DOUBLE_EQ(back->maxBer, set.maxBer);
    }
    const std::string good = FormatLimitSet(BuiltInLimitSets().front());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::pair<std::string, std::string> bad[] = {
        {replaced("analog level = 60.0 .. 77.0", "analog level = 77 .. 60"), "line 4: "},
        {replaced("minimum MER = 32.0", "minimum MER = lots"), "line 6: "},
        {replaced("minimum MER = 32.0", "minimum MER = -1"), "line 6: "},
        // Only plain decimals within what a limit can be.
        {replaced("minimum MER = 32.0", "minimum MER = 0x20"), "line 6: "},
        {replaced("minimum MER = 32.0", std::string("minimum MER = 32\0garbage", 25)), "line 6: "},
        {replaced("minimum MER = 32.0", "minimum MER = 1e308"), "line 6: "},
        {replaced("analog level = 60.0 .. 77.0", "analog level = -1e308 .. 77"), "line 4: "},
        {replaced("maximum BER = 1.0E-4", "maximum BER = 2"), "line 8: "},
        {replaced("minimum MER = 32.0", "colour = blue"), "line 6: unknown key"},
        {replaced("minimum MER = 32.0", "minimum C/N = 43"), "line 7: \"minimum C/N\" a second"},
        {replaced("minimum MER = 32.0\n", ""), "no \"minimum MER\""},
        {replaced("name = Subscriber outlet, 256QAM", "name ="), "line 2: an empty name"},
        {"just words\n", "line 1: no \"=\""},
        {"", "no \""},
    };
    for (const auto& [text, why] : bad) {
        EXPECT_FALSE(ParseLimitSet(text, error)) << text;
        EXPECT_EQ(error.rfind(why, 0), 0u) << error;
    }
    // A byte-order mark, as older Windows editors write one, is read as nothing.
    test::TempFolder folder;
    EXPECT_TRUE(ReadLimitSetFile(folder.write("bom.limits", "\xEF\xBB\xBF" + good), error))
        << error;
}

}  // namespace
}  // namespace veltra
