#include <gtest/gtest.h>

#include "loggers/PrintLayouts.h"

namespace veltra {
namespace {

const std::string kHeader =
    "NAME   FREQ      BW     OFFS    TYPE   PWR     SYSTEM     MOD/AF   SR/AV   MER/CN   BER";

TvLogger Tv(std::size_t records) {
    TvLogger tv;
    tv.name = "NORTH";
    tv.planName = "CABLE";
    tv.date = "07/03/2014";
    tv.time = "09:05:03";
    tv.noiseMode = "In band";
    tv.noiseFrequency = "5.50";
    tv.threshold = "45";
    for (std::size_t k = 0; k < records; ++k) {
        tv.records.push_back({std::to_string(k + 1), "CH" + std::to_string(k % 10), "602.00",
                              "8.00", "0.00", k % 2 ? "ANALOG" : "DIGITAL", "63.2", "DVB-C",
                              "QAM256", "6952", "38.8", "1.0E-8"});
    }
    return tv;
}

TEST(TvPrint, HeaderLinesAndTheFirstRecord) {
    const std::string text = *TvPrintLayout(Tv(1));
    EXPECT_EQ(text,
              "TV LOGGER\r\n"
              "Logger name:                 NORTH\r\n"
              "Channel plan name:           CABLE\r\n"
              "Logger date:                 07/03/2014\r\n"
              "Logger time:                 09:05:03\r\n"
              "Noise measurement mode:      In band\r\n"
              "Noise measurement frequency: 5.50 MHz\r\n"
              "Threshold:                   45 dBuV\r\n"
              "\r\n"
              "\r\n" +
                  kHeader + "\r\n" +
                  "CH0    602.00    8.00   0.00    D      63.2    DVB-C      QAM256   6952    "
                  "38.8     1.0E-8   #");
    const auto lines = PrintedLines(text);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.back().size(), 93u);  // the last row complete, without the "#"
    EXPECT_EQ(lines.back().find('#'), std::string::npos);
}

TEST(TvPrint, HeaderAgainBeforeRow71) {
    const auto lines = PrintedLines(*TvPrintLayout(Tv(150)));
    ASSERT_EQ(lines.size(), 8u + 2 + 1 + 150 + 2);
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], kHeader);
    EXPECT_EQ(lines[11 + 70], "");
    EXPECT_EQ(lines[11 + 71], kHeader);
    EXPECT_EQ(lines[11 + 72].substr(0, 4), "CH0 ");  // row 71
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kHeader), 2);
}

TEST(TvPrint, WithoutRecordsAndWithOddValues) {
    const auto lines = PrintedLines(*TvPrintLayout(Tv(0)));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kHeader), 0);

    TvLogger tv = Tv(1);
    tv.records[0][1] = "ABCDE";  // a five-character name prints as four
    EXPECT_EQ(PrintedLines(*TvPrintLayout(tv)).back().substr(0, 7), "ABCD   ");
    tv.records[0][5] = "digital";
    EXPECT_FALSE(TvPrintLayout(tv));
}

TEST(ModemAndDownPrint, Layouts) {
    ModemLogger modem;
    modem.name = "CM";
    modem.date = "d";
    modem.time = "t";
    NumberFixedRows(modem);
    for (auto& row : modem.down)
        row = {row[0], "D1", "DOCSI", "602.00", "61.1", "36.4", "QAM256"};
    for (auto& row : modem.up)
        row = {row[0], "1", "35.60", "102.5", "0", "6.40", "5120", "64QAM"};
    const auto lines = PrintedLines(ModemPrintLayout(modem));
    ASSERT_EQ(lines.size(), 4u + 1 + 1 + 8 + 1 + 1 + 4);
    EXPECT_EQ(lines[0], "REGISTRED MODEM LOGGER");
    EXPECT_EQ(lines[1], "Logger name: CM");
    EXPECT_EQ(lines[6], "D1        DOCSI          602.00       61.1         36.4       QAM256");
    EXPECT_EQ(lines.back(),
              "1    35.60        102.5        0            6.40       5120           64QAM ");

    DownLogger down;
    down.name = "DS";
    down.frequency = "610.00";
    down.symbolRate = "6952";
    down.power = "61.2";
    NumberFixedRows(down);
    for (auto& row : down.rows)
        row = {row[0], "D1", "DOCSI", "602.00", "60.8"};
    const auto downLines = PrintedLines(DownPrintLayout(down));
    ASSERT_EQ(downLines.size(), 18u + 1 + 1 + 8);
    EXPECT_EQ(downLines[1], "Logger name:       DS");
    EXPECT_EQ(downLines[5], "Channel plan name: ");
    EXPECT_EQ(downLines[8], "Frequency:         610.00MHz");
    EXPECT_EQ(downLines[10], "Symbol rate:       6952ksymb/s");
    EXPECT_EQ(downLines[12], "Power:             61.2dBuV");
    EXPECT_EQ(downLines.back(), "D1        DOCSI          602.00       60.8        ");
}

// A verdict column starts at one place in the header and in every row, per direction.
TEST(ModemAndDownPrint, VerdictColumn) {
    ModemLogger modem;
    NumberFixedRows(modem);
    VerdictColumn verdicts;
    verdicts.rows = {"Pass", "Level 44.6 < 45.0"};
    verdicts.upstreamRows = {"", "Pass"};
    const auto lines = PrintedLines(ModemPrintLayout(modem, &verdicts, "Verdict") + "#");
    EXPECT_EQ(lines[5].find("Verdict"), 71u);
    EXPECT_EQ(lines[6].substr(71), "Pass");
    EXPECT_EQ(lines[7].substr(71), "Level 44.6 < 45.0");
    EXPECT_EQ(lines[8].size(), 71u);  // a row without a verdict
    EXPECT_EQ(lines[15].find("Verdict"), 79u);
    EXPECT_EQ(lines[17].substr(79), "Pass");
}

TEST(Pages, FullPagesStartAgainAtTheTop) {
    // Page height 1000, spacing 100: lines at 80..780 fit (780 <= 840), the ninth starts a page.
    const auto places = PlaceLines(12, 100, 1000);
    EXPECT_EQ(places[7].page, 0);
    EXPECT_EQ(places[7].y, 780);
    EXPECT_EQ(places[8].page, 1);
    EXPECT_EQ(places[8].y, 80);
    EXPECT_EQ(places[11].y, 380);
    EXPECT_TRUE(PlaceLines(0, 100, 1000).empty());
}

TEST(Pages, LongPiecesAreCut) {
    const auto lines = PrintedLines(std::string(160, 'x') + "\r\nlast#");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(148, 'x'));  // a 149-character piece loses its last character
    EXPECT_EQ(lines[1], std::string(11, 'x'));
    EXPECT_EQ(lines[2], "last");
}

}  // namespace
}  // namespace veltra
