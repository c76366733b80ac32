#include <gtest/gtest.h>

#include <random>

#include "editor/EditorGrid.h"
#include "face/Messages.h"
#include "support/VectorGrid.h"

namespace veltra {
namespace {

using Row = std::vector<std::string>;  // columns 1..11

class Grid : public ::testing::Test {
  protected:
    // Fills the grid with the given channel rows.
    void fill(const std::vector<Row>& rows) {
        grid.setRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            grid.setCell(0, row, std::to_string(row));
            for (int c = 1; c <= 11; ++c)
                grid.setCell(c, row, rows[r][static_cast<std::size_t>(c - 1)]);
            grid.setInactive(row, rows[r][10] != "ON");
        }
    }
    static Row Analog(const std::string& mhz, const std::string& name = "A") {
        return {name, mhz, "7.00", "0", "ANALOG", "PAL/BG", "", "", "NO GROUP", "NO", "ON"};
    }
    static Row Digital(const std::string& mhz) {
        return {"D",      mhz,    "8.00",     "0",  "DIGITAL", "DVB-C",
                "QAM256", "6952", "NO GROUP", "NO", "ON"};
    }
    std::vector<std::string> frequencies() const {
        std::vector<std::string> list;
        for (int row = 1; row < grid.rowCount(); ++row)
            list.push_back(grid.cell(kColFrequency, row));
        return list;
    }

    test::VectorGrid cells;
    ChannelPlanGrid grid{cells};
};

TEST(MHzText, ConvertsBothWays) {
    const struct {
        std::string text;
        long long hz;
    } cases[] = {{"48.25", 48250000}, {"2.01", 2009999}, {"-2.50", -2500000},    {"0", 0}, {"", 0},
                 {"abc", 0},          {"12abc", 0},      {"1020.00", 1020000000}};
    for (const auto& c : cases)
        EXPECT_EQ(MHzTextToHz(c.text), c.hz) << c.text;
    EXPECT_EQ(HzToMHzText(303250000), "303.25");
    EXPECT_EQ(HzToMHzText(-250000), "-0.25");
    EXPECT_EQ(LeadingInteger("6.875"), 6);
    EXPECT_EQ(LeadingInteger("x"), 0);
}

TEST(HeaderLines, BreakAtTheBlankPastHalf) {
    EXPECT_EQ(HeaderLines("abc def ghi"),
              std::make_pair(std::string("abc def"), std::string(" ghi")));
    EXPECT_EQ(HeaderLines("Frequency (MHz)"),
              std::make_pair(std::string("Frequency"), std::string(" (MHz)")));
    EXPECT_EQ(HeaderLines("Name"), std::make_pair(std::string("Name"), std::string()));
    EXPECT_EQ(HeaderLines("In group"), std::make_pair(std::string("In"), std::string(" group")));
}

TEST_F(Grid, RowCheckCodesInOrder) {
    const struct {
        int column;  // 1..11
        std::string text;
        int code;
    } cases[] = {
        {1, "ABCD", 0},
        {1, "", 0},
        {1, "ABCDE", 19},
        {1, "A,B", 19},
        {1, "A&B", 19},
        {1,
         "A\x0E"
         "B",
         19},
        {2, "5.00", 0},
        {2, "1020.00", 0},
        {2, "4.99", 20},
        {2, "1020.01", 20},
        {3, "0.30", 0},
        {3, "10.00", 21},
        {4, "-2.50", 0},
        {4, "-2.51", 22},
        {5, "analog", 23},
        {11, "On", 24},
        {6, "DVB-C", 25},
        {7, "QAM1024", 0},
        {8, "", 0},
        // Analog rows write their group and flag too: they must be ones the file can hold.
        {9, "anything", 28},
        {9, "10", 0},
        {10, "maybe", 29},
    };
    for (const auto& c : cases) {
        fill({Analog("100.00")});
        grid.setCell(c.column, 1, c.text);
        int errorRow = -1, errorColumn = -1;
        EXPECT_EQ(grid.ComprovaFila(1, errorRow, errorColumn), c.code) << c.column << " " << c.text;
        if (c.code) {
            EXPECT_EQ(errorRow, 1);
            EXPECT_EQ(errorColumn, c.column == 11 ? 11 : c.column);
        }
    }
}

TEST_F(Grid, DigitalRowChecks) {
    const struct {
        int column;
        std::string text;
        int code;
    } cases[] = {
        {6, "PAL/BG", 25},
        {7, "QAM1024", 26},
        {8, "999", 27},
        {8, "7200", 0},
        {8, "7201", 27},
        {9, "0", 28},
        {9, "11", 28},
        {9, "10", 0},
        {10, "maybe", 29},
        {10, "YES", 0},
        {5, "DIGITAL ", 23},
        // Whole numbers only: the plan file and the instrument read the whole text.
        {8, "6952x", 27},
        {8, "7000.5", 27},
        {8, "+6952", 27},
        {9, "1x", 28},
    };
    for (const auto& c : cases) {
        fill({Digital("100.00")});
        grid.setCell(c.column, 1, c.text);
        int errorRow = 0, errorColumn = 0;
        EXPECT_EQ(grid.ComprovaFila(1, errorRow, errorColumn), c.code) << c.column << " " << c.text;
    }
    // A channel whose command would be cut at 60 characters is refused at its name.
    fill({{"ABCD", "1000.00", "9.99", "-2.50", "ANALOG", "NTSC/N", "", "", "10", "YES", "ON"}});
    int row = 0, column = 0;
    EXPECT_EQ(grid.ComprovaFila(1, row, column), message::kChannelTooLong);
    EXPECT_EQ(column, kColName);
    grid.setCell(kColName, 1, "ABC");
    EXPECT_EQ(grid.ComprovaFila(1, row, column), 0);

    fill({Analog("100.00"), Digital("108.00")});
    grid.setCell(kColSymbolRate, 2, "999");
    int errorRow = 0, errorColumn = 0;
    EXPECT_EQ(grid.Repassa(errorColumn, errorRow), 27);
    EXPECT_EQ(errorRow, 2);
    EXPECT_EQ(errorColumn, kColSymbolRate);
}

// Whatever row the editor accepts saves, loads back unchanged and converts to a channel command
// that fits one report: random rows over valid and near-valid cell texts.
TEST_F(Grid, AcceptedRowsSaveLoadAndSend) {
    const std::vector<std::vector<std::string>> choices = {
        {"", "A", "ABCD", "ÄÖÜß", "A,B", "AB&", "ABCDE", "A B"},
        {"5.00", "48.25", "1020.00", "999.99", "4.99", "1020.01", "100", "abc"},
        {"0.30", "8.00", "9.99", "10.00", "7"},
        {"0", "-2.50", "2.50", "-2.51", "0.01"},
        {"ANALOG", "DIGITAL", "analog"},
        {"PAL/BG", "NTSC/N", "SECAM/DK", "DVB-C", "ITU J.83/C", "pal"},
        {"QAM16", "QAM256", "QAM8", "", "QAM1024"},
        {"1000", "6875", "7200", "6952x", "7000.5", "", "0999", "07200"},
        {"NO GROUP", "1", "10", "0", "11", "01", "1x", ""},
        {"YES", "NO", "", "maybe"},
        {"ON", "OFF", "on"},
    };
    std::mt19937 random(52);
    int accepted = 0;
    for (int trial = 0; trial < 30000; ++trial) {
        Row row;
        for (const auto& options : choices)
            row.push_back(options[random() % options.size()]);
        fill({row});
        int errorRow = 0, errorColumn = 0;
        if (grid.Repassa(errorColumn, errorRow) != 0) continue;
        ++accepted;
        std::string text;
        ASSERT_TRUE(PlanTextFromGrid(grid, "PLAN", text));
        test::VectorGrid loadedCells;
        ChannelPlanGrid loaded(loadedCells);
        std::string name;
        ASSERT_EQ(LoadPlanText(text, loaded, name), 0) << text;
        PlanFileReader reader(text);
        PayloadConverter converter;
        for (int j = 0; j < reader.count(); ++j) {
            const std::string payload = converter.ChannelLineToPayload(reader.nextLine(), j == 0);
            EXPECT_FALSE(IsErrorMarker(payload)) << text << "\n" << payload;
        }
    }
    EXPECT_GT(accepted, 100);
}

TEST_F(Grid, InsertSuggestsAFrequency) {
    const struct {
        std::vector<std::string> plan;
        int after;
        std::string suggested;
    } cases[] = {
        {{"100.00"}, 1, "100.50"},
        {{"1019.75"}, 1, "1020.00"},
        {{"100.00", "108.00", "200.00"}, 2, "116.00"},
        {{"100.00", "108.00", "110.00"}, 2, "109.00"},
        {{"100.00", "108.00"}, 2, "116.00"},
        {{"100.00", "101.00"}, 1, "100.50"},
        {{"1000.00", "1019.00"}, 2, "1020.00"},
    };
    for (const auto& c : cases) {
        std::vector<Row> rows;
        for (const std::string& f : c.plan)
            rows.push_back(Analog(f));
        fill(rows);
        ASSERT_EQ(grid.InsertChannel(c.after), 0);
        EXPECT_EQ(grid.cell(kColFrequency, c.after + 1), c.suggested)
            << c.plan.size() << " " << c.after;
    }
}

TEST_F(Grid, InsertedRowCopiesTheRowAbove) {
    Row above = Digital("100.00");
    above[10] = "OFF";
    fill({above, Analog("200.00")});
    grid.InsertChannel(1);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(kColName, 2), "");
    for (int column : {3, 4, 5, 6, 7, 8, 9, 10, 11})
        EXPECT_EQ(grid.cell(column, 2), grid.cell(column, 1));
    EXPECT_TRUE(grid.inactive(2));
    EXPECT_EQ(grid.cell(kColFrequency, 3), "200.00");
    EXPECT_EQ(grid.cell(kColNumber, 3), "3");
}

TEST_F(Grid, InsertRefusedAt150Rows) {
    std::vector<Row> rows;
    for (int i = 0; i < 149; ++i)
        rows.push_back(Analog(HzToMHzText(50000000LL + 1000000LL * i)));
    fill(rows);
    EXPECT_EQ(grid.InsertChannel(5), 31);
    EXPECT_EQ(grid.rowCount(), 150);
}

TEST_F(Grid, DeleteKeepsTheLastChannel) {
    fill({Analog("100.00", "A")});
    grid.DeleteChannel(1);
    EXPECT_EQ(grid.rowCount(), 2);
    fill({Analog("100.00", "A"), Analog("108.00", "B"), Analog("116.00", "C")});
    grid.setInactive(3, true);
    grid.DeleteChannel(1);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(kColName, 1), "B");
    EXPECT_EQ(grid.cell(kColName, 2), "C");
    EXPECT_TRUE(grid.inactive(2));
}

TEST_F(Grid, SortMovesRowsAndFlags) {
    Row a = Analog("300.00", "C");
    Row b = Analog("100.00", "A");
    b[10] = "OFF";
    fill({a, b, Analog("200.00", "B")});
    EXPECT_EQ(grid.Ordena(), 0);
    EXPECT_EQ(frequencies(), (std::vector<std::string>{"100.00", "200.00", "300.00"}));
    EXPECT_EQ(grid.cell(kColName, 1), "A");
    EXPECT_TRUE(grid.inactive(1));
    EXPECT_FALSE(grid.inactive(3));

    fill({Analog("300.00"), Analog("100.00"), Analog("300.00")});
    EXPECT_EQ(grid.Ordena(), 3);

    std::vector<Row> many;
    for (int i = 0; i < 151; ++i)
        many.push_back(Analog(HzToMHzText(50000000LL + 1000000LL * i)));
    fill(many);
    EXPECT_EQ(grid.Ordena(), -200);
}

TEST_F(Grid, AnalogDigitalConversions) {
    fill({Digital("306.00")});
    grid.ToAnalog(1, "CCIR");
    EXPECT_EQ(grid.cell(kColFrequency, 1), "303.25");
    EXPECT_EQ(grid.cell(kColKind, 1), "ANALOG");
    EXPECT_EQ(grid.cell(kColModulation, 1), "");
    EXPECT_EQ(grid.cell(kColSymbolRate, 1), "");
    grid.setCell(kColBandwidth, 1, "8.00");
    grid.ToDigital(1);
    EXPECT_EQ(grid.cell(kColFrequency, 1), "306.00");
    EXPECT_EQ(grid.cell(kColSystem, 1), "DVB-C");
    EXPECT_EQ(grid.cell(kColModulation, 1), "QAM256");
    EXPECT_EQ(grid.cell(kColSymbolRate, 1), "6952");

    fill({Digital("5.50")});
    grid.ToAnalog(1, "X");
    EXPECT_EQ(grid.cell(kColFrequency, 1), "5.00");
    fill({Analog("1019.00")});
    grid.setCell(kColBandwidth, 1, "8.00");
    grid.ToDigital(1);
    EXPECT_EQ(grid.cell(kColFrequency, 1), "1020.00");

    const struct {
        std::string plan;
        std::string system;
    } systems[] = {{"UK", "PAL/I"},     {"uk", "PAL/BG"},  {"EIA", "NTSC/N"},
                   {"ST2L", "SECAM/L"}, {"ONO", "PAL/BG"}, {"NEW", "PAL/BG"}};
    for (const auto& s : systems)
        EXPECT_EQ(AnalogSystemForPlan(s.plan), s.system) << s.plan;
}

TEST_F(Grid, AllOnOffAndAllKinds) {
    fill({Analog("100.00"), Digital("306.00")});
    grid.SetAllActive(false);
    EXPECT_TRUE(grid.inactive(1) && grid.inactive(2));
    EXPECT_EQ(grid.cell(kColActive, 2), "OFF");
    grid.SetAllActive(true);
    EXPECT_FALSE(grid.inactive(1) || grid.inactive(2));
    grid.AllToAnalog("UK");
    EXPECT_EQ(grid.cell(kColSystem, 2), "PAL/I");
    EXPECT_EQ(grid.cell(kColKind, 1), "ANALOG");
    grid.AllToDigital();
    EXPECT_EQ(grid.cell(kColKind, 1), "DIGITAL");
    EXPECT_EQ(grid.cell(kColKind, 2), "DIGITAL");
}

TEST_F(Grid, DefaultPlanSavesAsExpected) {
    grid.StartNewPlan();
    std::string text;
    ASSERT_TRUE(PlanTextFromGrid(grid, "NEW", text));
    EXPECT_EQ(text, "NEW\r\n1\r\n0,CH1,48250000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO");
    EXPECT_TRUE(grid.inactive(1));
}

TEST_F(Grid, DigitalRowsWriteTwelveFields) {
    fill({Analog("100.00"), Digital("306.00")});
    grid.setCell(kColOffset, 2, "-0.25");
    std::string text;
    ASSERT_TRUE(PlanTextFromGrid(grid, "MIX", text));
    EXPECT_EQ(text,
              "MIX\r\n2\r\n0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO\r\n"
              "1,D,306000000,8000000,-250000,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO");
    grid.setCell(kColKind, 1, "?");
    EXPECT_FALSE(PlanTextFromGrid(grid, "MIX", text));
}

TEST_F(Grid, LoaderResults) {
    const std::string good = "0,A,100000000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO";
    const std::string second = "1,B,90000000,8000000,0,DIGITAL,ON,DVB-C,QAM64,6875,3,YES";
    const struct {
        std::string text;
        int result;
    } cases[] = {
        {"P\r\n2\r\n" + good + "\r\n" + second, 0},  // unsorted frequencies are accepted
        {"P\r\n1\r\n1,A,100000000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO", 1020},
        {"P\r\n2\r\n" + good + "\r\n2,B,90000000,8000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO", 2020},
        {"P\r\n2\r\n" + good, 2020},  // the file ends early
        {"P\r\n1\r\n0,A,4999999,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO", 1022},
        {"P\r\n1\r\n0,A,100000000,10000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO", 1023},
        {"P\r\n1\r\n0,A,100000000,7000000,3000000,ANALOG,OFF,PAL/BG,NO GROUP,NO", 1024},
        {"P\r\n1\r\n0,A,100000000,7000000,0,Analog,OFF,PAL/BG,NO GROUP,NO", 1025},
        {"P\r\n1\r\n0,A,100000000,7000000,0,ANALOG,off,PAL/BG,NO GROUP,NO", 1026},
        {"P\r\n1\r\n0,A,100000000,7000000,0,ANALOG,OFF,DVB-C,NO GROUP,NO", 1027},
        {"P\r\n1\r\n0,A,100000000,7000000,0,DIGITAL,OFF,DVB-C,QAM9,6875,NO GROUP,NO", 1028},
        {"P\r\n1\r\n0,A,100000000,7000000,0,DIGITAL,OFF,DVB-C,QAM64,999,NO GROUP,NO", 1029},
        {"P\r\n1\r\n0,A,100000000,7000000,0,ANALOG,OFF,PAL/BG,0,NO", 1030},
        {"P\r\n1\r\n0,A,100000000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,YES ", 1031},
        {"P\n1\n0,A,100000000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,YES", 0},
    };
    for (const auto& c : cases) {
        std::string name;
        EXPECT_EQ(LoadPlanText(c.text, grid, name), c.result) << c.text;
        EXPECT_EQ(name, "P");
    }
    std::string name;
    ASSERT_EQ(LoadPlanText("MY PLAN\r\n2\r\n" + good + "\r\n" + second, grid, name), 0);
    EXPECT_EQ(name, "MY PLAN");
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(kColFrequency, 2), "90.00");
    EXPECT_EQ(grid.cell(kColGroupFlag, 2), "YES");
    EXPECT_EQ(grid.cell(kColActive, 1), "OFF");
    EXPECT_TRUE(grid.inactive(1));
    EXPECT_FALSE(grid.inactive(2));
}

TEST(PlanName, RenameCleansAndCuts) {
    EXPECT_EQ(CleanPlanName("CABLENET"), "CABLE");
    EXPECT_EQ(CleanPlanName("A B/C\\D"), "ABCD");
    EXPECT_EQ(CleanPlanName(""), "");
    EXPECT_EQ(CleanPlanName("\xC3\xB1"
                            "ABCDEF"),
              "\xC3\xB1"
              "ABCD");
}

}  // namespace
}  // namespace veltra
