#include <gtest/gtest.h>

#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"

namespace veltra {
namespace {

std::vector<int> Present(const std::string& value, LoggerList list) {
    std::vector<int> numbers;
    const auto present = ParsePresence(value, list);
    for (int n = 0; n < kMaxLoggers; ++n) {
        if (present[static_cast<std::size_t>(n)]) numbers.push_back(n);
    }
    return numbers;
}

TEST(Presence, SixLoggersPerCharacter) {
    EXPECT_EQ(Present(std::string("\x41\x70") + std::string(7, '\x40'), LoggerList::Tv),
              (std::vector<int>{0, 10, 11}));
    // Character 8 of the TV list counts only loggers 48 and 49.
    EXPECT_EQ(Present(std::string(8, '\x40') + "\x7F", LoggerList::Tv), (std::vector<int>{48, 49}));
    // Bits 0x40 and 0x80 mean nothing.
    EXPECT_EQ(Present(std::string("\xC0\x40", 2), LoggerList::Tv), std::vector<int>{});
    // The modem list has 30 loggers: characters 0..4.
    EXPECT_EQ(Present(std::string(4, '\x40') + "\x70\x7F\x7F", LoggerList::Modem),
              (std::vector<int>{28, 29}));
    EXPECT_EQ(Present("", LoggerList::Tv), std::vector<int>{});
}

TEST(IndexEntry, FixedPositions) {
    const LoggerIndexEntry entry = ParseIndexEntry("0714:32:0707/03/2014NORTH HE");
    EXPECT_TRUE(entry.present);
    EXPECT_EQ(entry.number, 7);
    EXPECT_EQ(entry.time, "14:32:07");
    EXPECT_EQ(entry.date, "07/03/2014");
    EXPECT_EQ(entry.name, "NORTH HE");
}

TEST(TvHeader, AcceptedOrRefused) {
    const auto header = ParseTvHeader("H&CABLE&12&1&5500000&-3");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->planName, "CABLE");
    EXPECT_EQ(header->recordCount, 12);
    EXPECT_EQ(header->noiseMode, 1);
    EXPECT_EQ(header->noiseFrequencyHz, 5500000);
    EXPECT_EQ(header->thresholdTenths, -3);
    EXPECT_TRUE(ParseTvHeader("H&P&0&2&0&0"));
    EXPECT_TRUE(ParseTvHeader("H&P&150&0&0&0"));
    for (const char* bad :
         {"H&P&151&0&0&0", "H&P&-1&0&0&0", "H&P&3&3&0&0", "H&P&x&0&0&0", "H&P&3&0&0", ""})
        EXPECT_FALSE(ParseTvHeader(bad)) << bad;
}

TEST(TvRecord, DigitalAndAnalog) {
    TvRecord r{};
    ASSERT_EQ(ParseTvRecord("1&D1&602000000&-125000&8000000&0&4&6952&63.2&38.8&1.0E-8", r), 0);
    EXPECT_EQ(r, (TvRecord{"", "D1", "602.00", "8.00", "-0.12", "DIGITAL", "63.2", "DVB-C",
                           "QAM256", "6952", "38.8", "1.0E-8"}));
    ASSERT_EQ(ParseTvRecord("0&C5&175250000&0&7000000&16&5.50&68.4&13.0&47.5d", r), 0);
    EXPECT_EQ(r, (TvRecord{"", "C5", "175.25", "7.00", "0.00", "ANALOG", "68.4", "NTSC/M", "5.50",
                           "13.0", "47.5", ""}));
    // An analog remainder of one character gives an empty C/N.
    ASSERT_EQ(ParseTvRecord("0&C5&175250000&0&7000000&0&5.50&68.4&13.0&x", r), 0);
    EXPECT_EQ(r[10], "");
    // Codes outside the lists.
    ASSERT_EQ(ParseTvRecord("1&D&602000000&0&8000000&7&9&6952&63&38&x", r), 0);
    EXPECT_EQ(r[7], "???");
    EXPECT_EQ(r[8], "???");
}

TEST(TvRecord, Errors) {
    const struct {
        std::string value;
        int error;
    } cases[] = {
        {"2&D1&602000000&0&8000000&0&4&6952&63&38&x", 10},
        {"", 10},
        {"1&D1&4999999&0&8000000&0&4&6952&63&38&x", 11},
        {"1&D1&60x&0&8000000&0&4&6952&63&38&x", 11},
        {"1&D1&602000000&2500001&8000000&0&4&6952&63&38&x", 12},
        {"1&D1&602000000&0&10000000&0&4&6952&63&38&x", 13},
        {"1&D1&602000000&0&8000000&0&\xC3\xA9&6952&63&38&x", 14},
        {"1&D1&602000000&0&8000000&0&4&\xC3\xA9&63&38&x", 17},
        // A BER cut short: a logger saved from it would not open.
        {"1&D1&602000000&0&8000000&0&4&6952&63&38&1.0E-", 15},
        {"1&D1&602000000&0&8000000&0&4&6952&63&38&", 15},
    };
    for (const auto& c : cases) {
        TvRecord r{};
        EXPECT_EQ(ParseTvRecord(c.value, r), c.error) << c.value;
    }
}

TEST(ModemListRows, KindsAndRows) {
    EXPECT_EQ(ParseLoggerKind("E&0"), 0);
    EXPECT_EQ(ParseLoggerKind("E&1"), 1);
    EXPECT_EQ(ParseLoggerKind("E&2"), -1);
    EXPECT_EQ(ParseLoggerKind("E"), -1);

    std::array<std::string, 7> modem{};
    ASSERT_TRUE(ParseModemRow("0&D1&DOCSI&602.00&61.1&36.4&256", modem));
    EXPECT_EQ(modem[6], "QAM256");
    ASSERT_TRUE(ParseModemRow("0&-&XX&-&-&-&-", modem));
    EXPECT_EQ(modem[2], "----");
    EXPECT_EQ(modem[6], "-");
    EXPECT_FALSE(ParseModemRow("1&D1&P&1&2&3&4", modem));

    std::array<std::string, 5> down{};
    ASSERT_TRUE(ParseDownRow("1&D1&DOCSI&602.00&skipped&60.8", down));
    EXPECT_EQ(down, (std::array<std::string, 5>{"", "D1", "DOCSI", "602.00", "60.8"}));
    EXPECT_FALSE(ParseDownRow("0&D1&DOCSI&602.00&skipped&60.8", down));

    DownLogger logger;
    ASSERT_TRUE(ParseDownHeaderFirst("1&D2&DOCSIS&610.00&DVB-C&EURO 3.0&256&6952", logger));
    ASSERT_TRUE(ParseDownHeaderSecond("1&61.2&37.5&12&17&-0.02&2.1E-6&<1.0E-8", logger));
    EXPECT_EQ(logger.version, "EURO 3.0");
    EXPECT_EQ(logger.symbolRate, "6952");
    EXPECT_EQ(logger.postBer, "<1.0E-8");
    EXPECT_FALSE(ParseDownHeaderFirst("0&D2", logger));
}

TvLogger SampleTv() {
    TvLogger tv;
    tv.name = "NORTH";
    tv.planName = "CABLE";
    tv.date = "07/03/2014";
    tv.time = "09:05:03";
    tv.noiseMode = "In band";
    tv.noiseFrequency = "8.10";
    tv.threshold = "-3";
    tv.records = {
        {"1", "D1", "602.00", "8.00", "-0.12", "DIGITAL", "63.2", "DVB-C", "QAM256", "6952", "38.8",
         "1.0E-8"},
        {"2", "C5", "175.25", "7.00", "0.00", "ANALOG", "68.4", "PAL/BG", "5.50", "13.0", "47.5",
         ""},
    };
    return tv;
}

TEST(LoggerFiles, TvRoundTrip) {
    const TvLogger tv = SampleTv();
    std::string text;
    ASSERT_TRUE(TvLoggerFileText(tv, text));
    EXPECT_EQ(text,
              "0\r\nNORTH\r\nCABLE\r\n07/03/2014\r\n09:05:03\r\nIn band\r\n8100000\r\n-30\r\n2\r\n"
              "0,D1,602000000,8000000,-120000,DIGITAL,63.2,DVB-C,QAM256,6952,38.8,1.0E-8\r\n"
              "1,C5,175250000,7000000,0,ANALOG,68.4,PAL/BG,5.50,13.0,47.5,");
    LoggerRecords read;
    EXPECT_EQ(ReadLoggerText(text, "/x/NORTH.logtv", read), 1);
    EXPECT_EQ(read.tv.fileName, "/x/NORTH.logtv");
    read.tv.fileName.clear();
    EXPECT_EQ(read.tv.records, tv.records);
    EXPECT_EQ(read.tv.threshold, "-3");
    EXPECT_EQ(read.tv.noiseFrequency, "8.10");
    EXPECT_EQ(read.tv.noiseMode, "In band");  // a value with a blank reads back whole

    TvLogger empty = tv;
    empty.records.clear();
    ASSERT_TRUE(TvLoggerFileText(empty, text));
    EXPECT_EQ(text.find("2\r\n0,"), std::string::npos);
    EXPECT_EQ(ReadLoggerText(text, "", read), 1);
    EXPECT_TRUE(read.tv.records.empty());

    TvLogger bad = tv;
    bad.records[1][5] = "?";
    EXPECT_FALSE(TvLoggerFileText(bad, text));
}

TEST(LoggerFiles, DownAndModemRoundTrips) {
    DownLogger down;
    down.name = "DS";
    down.date = "d";
    down.time = "t";
    down.channel = "D2";
    down.planName = "DOCSI";
    down.system = "DVB-C";
    down.version = "EURO DOCSIS 3.0";
    down.frequency = "610.00";
    down.postBer = "<1.0E-8";
    NumberFixedRows(down);
    for (std::size_t i = 0; i < 8; ++i)
        down.rows[i] = {std::to_string(i + 1), "D" + std::to_string(i), "P", "6", "60.8"};
    LoggerRecords read;
    EXPECT_EQ(ReadLoggerText(DownLoggerFileText(down), "f.logds", read), 2);
    read.down.fileName.clear();
    EXPECT_EQ(read.down.version, down.version);
    EXPECT_EQ(read.down.rows, down.rows);
    EXPECT_EQ(read.down.postBer, down.postBer);
    EXPECT_EQ(read.down.interleaverI, "");  // an empty value stays in its place

    ModemLogger modem;
    modem.name = "CM";
    NumberFixedRows(modem);
    for (auto& row : modem.down)
        row = {row[0], "-", "----", "-", "-", "-", "-"};
    for (auto& row : modem.up)
        row = {row[0], "1", "35.60", "102.5", "0", "6.40", "5120", "64QAM"};
    EXPECT_EQ(ReadLoggerText(ModemLoggerFileText(modem), "f.logmr", read), 3);
    EXPECT_EQ(read.modem.down, modem.down);
    EXPECT_EQ(read.modem.up, modem.up);
}

TEST(LoggerFiles, ReaderResults) {
    std::string good;
    TvLoggerFileText(SampleTv(), good);
    LoggerRecords read;
    EXPECT_EQ(ReadLoggerText("7\r\nX", "", read), -13);
    EXPECT_EQ(ReadLoggerText("0\r\nN\r\nP\r\nD\r\nT\r\nM\r\n0\r\n0\r\n151", "", read), -14);
    std::string badFrequency = good;
    badFrequency.replace(badFrequency.find("175250000"), 9, "4999999");
    EXPECT_EQ(ReadLoggerText(badFrequency, "", read), 2022);
    std::string badType = good;
    badType.replace(badType.find("ANALOG"), 6, "analog");
    EXPECT_EQ(ReadLoggerText(badType, "", read), 2025);
    // The file ends before its last row.
    EXPECT_EQ(ReadLoggerText(good.substr(0, good.rfind("\r\n")), "", read), 2020);
    // A ".logds" file whose first line is "0" is a TV logger: the kind is inside.
    EXPECT_EQ(ReadLoggerText(good, "x.logds", read), 1);
    // Unix line ends read as well.
    std::string unix;
    for (char c : good) {
        if (c != '\r') unix.push_back(c);
    }
    EXPECT_EQ(ReadLoggerText(unix, "", read), 1);
}

// A logger file cut short (an interrupted copy, a truncated attachment) is refused with the line
// where it ends, never judged on what is left: every prefix of a file that passes is refused
// or judged otherwise.
TEST(LoggerFiles, NoPrefixOfAFileIsJudgedPass) {
    const LimitSet& limits = BuiltInLimitSets().front();
    TvLogger digitalLast = SampleTv();
    std::swap(digitalLast.records[0], digitalLast.records[1]);
    DownLogger down;
    down.name = "DS";
    down.frequency = "610.00";
    NumberFixedRows(down);
    for (std::size_t i = 0; i < 8; ++i)
        down.rows[i] = {std::to_string(i + 1), "D" + std::to_string(i), "P", "602.00", "60.8"};
    ModemLogger modem;
    modem.name = "CM";
    NumberFixedRows(modem);
    for (auto& row : modem.down)
        row = {row[0], "D1", "P", "602.00", "61.1", "36.4", "QAM256"};
    for (auto& row : modem.up)
        row = {row[0], "1", "35.60", "102.5", "0", "6.40", "5120", "64QAM"};
    std::string tvText, digitalLastText;
    TvLoggerFileText(SampleTv(), tvText);
    TvLoggerFileText(digitalLast, digitalLastText);
    auto passes = [&](const LoggerRecords& r, int kind) {
        switch (kind) {
            case 1:
                return JudgeTvLogger(r.tv, limits).pass();
            case 2:
                return JudgeDownLogger(r.down, limits).pass();
            default:
                return JudgeModemLogger(r.modem, limits).pass();
        }
    };
    const struct {
        std::string text;
        int kind;
    } files[] = {{tvText, 1},
                 {digitalLastText, 1},
                 {DownLoggerFileText(down), 2},
                 {ModemLoggerFileText(modem), 3}};
    for (const auto& f : files) {
        LoggerRecords read;
        ASSERT_EQ(ReadLoggerText(f.text, "", read), f.kind);
        ASSERT_TRUE(passes(read, f.kind)) << f.text;
        for (std::size_t cut = 0; cut < f.text.size(); ++cut) {
            LoggerRecords partial;
            LoggerFileError error;
            const int result = ReadLoggerText(f.text.substr(0, cut), "", partial, &error);
            if (result == f.kind) {
                EXPECT_FALSE(passes(partial, f.kind)) << f.text.substr(0, cut);
            } else {
                EXPECT_GT(error.line, 0) << f.text.substr(0, cut);
                EXPECT_NE(error.fault, LoggerFault::None);
            }
        }
        // Old Mac line ends: one line, and no header after it.
        std::string carriageReturns;
        for (char c : f.text)
            if (c != '\n') carriageReturns.push_back(c);
        LoggerFileError error;
        EXPECT_EQ(ReadLoggerText(carriageReturns, "", read, &error), kHeaderIncomplete);
        EXPECT_EQ(error.line, 2);
    }
}

TEST(LoggerFiles, RefusedFilesSayWhichLineAndWhy) {
    std::string good;
    TvLoggerFileText(SampleTv(), good);
    const struct {
        std::string text;
        int result, line;
        LoggerFault fault;
    } cases[] = {
        {"0", kHeaderIncomplete, 2, LoggerFault::EndsInHeader},
        {"7\r\nX", -13, 1, LoggerFault::UnknownKind},
        {"0\r\nN\r\nP\r\nD\r\nT\r\nM\r\n0x20\r\n0\r\n0", kHeaderIncomplete, 7,
         LoggerFault::NotANumber},
        {"0\r\nN\r\nP\r\nD\r\nT\r\nM\r\n0\r\n0\r\n151", -14, 9, LoggerFault::TooManyRecords},
        {good.substr(0, good.rfind("\r\n")), 2020, 11, LoggerFault::EndsEarly},
        {good.substr(0, good.size() - 1), 2026, 11, LoggerFault::FieldsMissing},
        {good.substr(0, good.find("1.0E-8") + 5), 1027, 10, LoggerFault::BadValue},
    };
    for (const auto& c : cases) {
        LoggerRecords read;
        LoggerFileError error;
        EXPECT_EQ(ReadLoggerText(c.text, "", read, &error), c.result) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.fault, c.fault) << c.text;
    }
}

TEST(LoggerFiles, SaveAllAsNames) {
    EXPECT_EQ(SaveAllAsPath("/data/survey.north.logtv", "L1", ".logtv"), "/data/survey_L1.logtv");
    EXPECT_EQ(SaveAllAsPath("/data/a.b/survey.north.logtv", "L1", ".logtv"),
              "/data/a.b/survey_L1.logtv");
    EXPECT_EQ(SaveAllAsPath("/data/MyLoggers", "CM 1", ".logmr"), "/data/MyLoggers_CM 1.logmr");
    EXPECT_EQ(SaveAllAsPath("/data/x", "../../etc/p", ".logds"), "/data/x_.._.._etc_p.logds");
}

}  // namespace
}  // namespace veltra
