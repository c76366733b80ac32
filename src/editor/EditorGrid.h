// The channel plan editor's grid as text: the row check, the commands that change rows, and the
// MHz text conversions. Plain C++ on a small grid-of-text interface that the window's table
// implements, so everything here runs without widgets.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "channelplans/ChannelRecord.h"
#include "text/Outcome.h"

namespace veltra {

// Editor columns.
enum EditorColumn {
    kColNumber = 0,
    kColName = 1,
    kColFrequency = 2,
    kColBandwidth = 3,
    kColOffset = 4,
    kColKind = 5,
    kColSystem = 6,
    kColModulation = 7,
    kColSymbolRate = 8,
    kColGroup = 9,
    kColGroupFlag = 10,
    kColActive = 11,
};
inline constexpr int kEditorColumns = 12;
inline constexpr int kMaxGridRows = 150;  // insertion stops here (149 channels)

// A header text with a blank is drawn on two lines: the break falls at the first blank at or
// past half its length (or the last blank); the second line starts with that blank.
std::pair<std::string, std::string> HeaderLines(const std::string& text);

// The editor's grid: the cells and one inactive flag per row.
class ChannelPlanGrid {
  public:
    explicit ChannelPlanGrid(TextGrid& cells) : cells_(cells) {}

    TextGrid& cells() { return cells_; }
    std::string cell(int column, int row) const { return cells_.cell(column, row); }
    void setCell(int column, int row, const std::string& text) {
        cells_.setCell(column, row, text);
    }
    int rowCount() const { return cells_.rowCount(); }
    void setRowCount(int rows);
    bool inactive(int row) const;
    void setInactive(int row, bool inactive);

    // 0 when the row is a valid channel, else message code 19..29, or 40 when
    // its command would not fit in one report; the failing cell goes to errorRow / errorColumn.
    int ComprovaFila(int row, int& errorRow, int& errorColumn) const;
    // The first invalid row's code (rows 1..n), or 0.
    int Repassa(int& errorColumn, int& errorRow) const;

    // Commands. InsertChannel returns 31 when the grid is full, else 0.
    int InsertChannel(int row);
    void DeleteChannel(int row);
    void CopiaCanal(int from, int to);
    // 0 sorted; the row of a duplicate frequency; -200 for more than 150 channels.
    int Ordena();
    void SetAllActive(bool active);
    void ToDigital(int row);
    void ToAnalog(int row, const std::string& planName);
    void DtoAFreq(int row);
    void AtoDFreq(int row);
    void AllToDigital();
    void AllToAnalog(const std::string& planName);
    void Renumber();

    // Fills row 1 with the default new channel (the grid becomes 2 rows).
    void StartNewPlan();

    // The channel line of row `row` for a plan file; false when the kind is neither word.
    bool ChannelLine(int row, std::string& line) const;

  private:
    void setFrequency(int row, long long hz);
    // The row's cells as the words of a plan file's line (frequencies in whole hertz).
    std::array<std::string, kChannelWords> rowWords(int row) const;

    TextGrid& cells_;
    std::vector<bool> inactive_;
};

// Reads a channel plan file into the grid, checking each line. Returns 0, or r * 1000 + code
// (20..31) for the first bad field of row r; `planName` gets the name from line 1.
int LoadPlanText(const std::string& content, ChannelPlanGrid& grid, std::string& planName);

// A plan file's text as the editor saves it once opened: its channels in frequency order,
// checked as before a save, and `planName` from its first line. A failure carries the number
// of the message the editor shows for it.
Outcome<std::string> SavedPlanText(const std::string& content, std::string& planName);

// The whole plan file text of the grid; false when a row's kind is bad.
bool PlanTextFromGrid(const ChannelPlanGrid& grid, const std::string& planName, std::string& text);

// The grid as a spreadsheet: the header row, then one record per channel, the grid's columns
// as they stand (MHz with "." as decimal mark).
std::string PlanCsvFromGrid(const ChannelPlanGrid& grid);

// Reads a spreadsheet of the grid's columns (a first record whose number is not a whole number
// is the header) into `grid`, every row through the row check. Nothing changes unless every
// row passes; otherwise the result lists each bad record as its line number in the file and the
// check's message code.
struct CsvRowProblem {
    int line;
    int code;  // the row check's message code; 0 for a record without the grid's columns
};
std::vector<CsvRowProblem> LoadPlanCsv(const std::string& text, ChannelPlanGrid& grid);

// The analog system for a plan name ("UK" -> "PAL/I", ...).
std::string AnalogSystemForPlan(const std::string& planName);

// A new plan name from the rename dialog: blanks and path separators dropped, at most 5
// characters kept.
std::string CleanPlanName(const std::string& text);

}  // namespace veltra
