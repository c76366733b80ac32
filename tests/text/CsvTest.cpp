// Spreadsheets out and in: the writer's quoting read back, the reader's line numbers and open
// quotes, and a spreadsheet imported into the editor's grid through its row check.
#include <gtest/gtest.h>

#include "editor/EditorGrid.h"
#include "face/Messages.h"
#include "loggers/LoggerCsv.h"
#include "support/VectorGrid.h"
#include "text/Csv.h"

namespace veltra {
namespace {

TEST(Csv, WrittenFieldsReadBackWhole) {
    const std::vector<std::vector<std::string>> records = {
        {"plain", "with, comma", "with \"quotes\"", ""},
        {"two\r\nlines", "ÄÖ €", "\"", ","},
    };
    std::string text = "\xEF\xBB\xBF";  // as spreadsheets save it
    for (const auto& r : records)
        text += CsvRecord(r);
    text += "\n";  // an empty line is no record
    const auto rows = ParseCsv(text);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].fields, records[0]);
    EXPECT_EQ((*rows)[1].fields, records[1]);
    EXPECT_EQ((*rows)[1].line, 2);
    EXPECT_EQ(CsvRecord({"a", "b,c"}), "a,\"b,c\"\r\n");
    // A first field that starts with a byte-order mark keeps it.
    const auto marked = ParseCsv(CsvRecord({"\xEF\xBB\xBFx", "y"}));
    ASSERT_TRUE(marked);
    EXPECT_EQ((*marked)[0].fields, (std::vector<std::string>{"\xEF\xBB\xBFx", "y"}));

    const auto open = ParseCsv("a,b\nc,\"d\ne\n");
    ASSERT_FALSE(open);
    EXPECT_EQ(open.failure(), Failure::BadFile);
    EXPECT_EQ(open.detail(), "2");
}

TEST(Csv, TheEditorImportsOnlyASpreadsheetWhoseEveryRowPasses) {
    test::VectorGrid cells;
    ChannelPlanGrid grid(cells);
    grid.StartNewPlan();
    grid.setCell(kColName, 1, "C1");
    const std::string exported = PlanCsvFromGrid(grid);
    EXPECT_TRUE(LoadPlanCsv(exported, grid).empty());
    EXPECT_EQ(grid.rowCount(), 2);

    // CR LF from a spreadsheet, a header, two good rows and a bad frequency on line 3.
    const std::string sheet =
        "No,Name,Freq,BW,Offset,Type,System,Mod,SR,Group,Member,Active\r\n"
        "1,D1,602.00,8.00,0.00,DIGITAL,DVB-C,QAM256,6952,NO GROUP,NO,ON\r\n"
        "2,D2,1100.00,8.00,0.00,DIGITAL,DVB-C,QAM256,6952,NO GROUP,NO,ON\r\n"
        "3,E21,471.25,8.00,0.00,ANALOG,PAL/BG,,,NO GROUP,NO,OFF\r\n"
        "4,short\r\n";
    const auto problems = LoadPlanCsv(sheet, grid);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[0].code, message::kBadFrequency);
    EXPECT_EQ(problems[1].line, 5);
    EXPECT_EQ(problems[1].code, 0);
    EXPECT_EQ(grid.rowCount(), 2);  // left as it was
    EXPECT_EQ(grid.cell(kColName, 1), "C1");

    std::string good = sheet.substr(0, sheet.find("2,D2"));
    good += "2,E21,471.25,8.00,0.00,ANALOG,PAL/BG,,,NO GROUP,NO,OFF\r\n";
    ASSERT_TRUE(LoadPlanCsv(good, grid).empty());
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(kColFrequency, 2), "471.25");
    EXPECT_TRUE(grid.inactive(2));
}

TEST(Csv, ALoggerSheetHasItsHeaderValuesThenUnitsThenRows) {
    TvLogger tv;
    tv.name = "NORTH, \"HE\"";
    tv.records.push_back({"1", "D1", "602.00", "8.00", "0.00", "DIGITAL", "63.2", "DVB-C", "QAM256",
                          "6952", "38.8", "<1.0E-8"});
    const auto rows = ParseCsv(TvLoggerCsv(tv));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 9u);
    EXPECT_EQ((*rows)[0].fields, (std::vector<std::string>{"# TV logger", tv.name}));
    EXPECT_EQ((*rows)[7].fields[2], "Frequency (MHz)");
    EXPECT_EQ((*rows)[8].fields.size(), 12u);
    ModemLogger modem;
    EXPECT_EQ(ParseCsv(ModemLoggerCsv(modem))->size(), 3u + 1 + 8 + 1 + 4);
}

}  // namespace
}  // namespace veltra
