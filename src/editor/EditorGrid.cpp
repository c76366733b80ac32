#include "editor/EditorGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "channelplans/ChannelRecord.h"
#include "face/Messages.h"
#include "language/LanguageTable.h"
#include "text/Csv.h"

namespace veltra {

namespace {

// The cells of a row before a failed one: what the loader shows of a bad line.
void PutChannel(ChannelPlanGrid& grid, int row, const Channel& c, ChannelField failed) {
    auto passed = [&](ChannelField field) { return failed > field; };
    grid.setCell(kColName, row, c.name);
    if (passed(ChannelField::FrequencyOrder))
        grid.setCell(kColFrequency, row, HzToMHzText(c.frequency));
    if (passed(ChannelField::Bandwidth)) grid.setCell(kColBandwidth, row, HzToMHzText(c.bandwidth));
    if (passed(ChannelField::Offset)) grid.setCell(kColOffset, row, HzToMHzText(c.offset));
    if (passed(ChannelField::Kind)) grid.setCell(kColKind, row, c.digital ? "DIGITAL" : "ANALOG");
    if (passed(ChannelField::Active)) {
        grid.setCell(kColActive, row, c.active ? "ON" : "OFF");
        grid.setInactive(row, !c.active);
    }
    if (passed(ChannelField::System)) {
        grid.setCell(kColSystem, row,
                     std::string(c.digital ? kDigitalSystems[static_cast<std::size_t>(c.system)]
                                           : kAnalogSystems[static_cast<std::size_t>(c.system)]));
    }
    if (c.digital && passed(ChannelField::Modulation))
        grid.setCell(kColModulation, row,
                     std::string(kModulations[static_cast<std::size_t>(c.modulation)]));
    if (c.digital && passed(ChannelField::SymbolRate))
        grid.setCell(kColSymbolRate, row, std::to_string(c.symbolRate));
    if (passed(ChannelField::Group))
        grid.setCell(kColGroup, row, c.group == 0 ? "NO GROUP" : std::to_string(c.group));
    if (passed(ChannelField::GroupMember))
        grid.setCell(kColGroupFlag, row, c.groupMember ? "YES" : "NO");
}

}  // namespace

std::pair<std::string, std::string> HeaderLines(const std::string& text) {
    const std::size_t half = text.size() / 2;
    std::size_t position = 0;  // 1-based position of the blank last reached
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') continue;
        position = i + 1;
        if (position >= half) break;
    }
    if (position == 0) return {text, {}};
    return {text.substr(0, position - 1), text.substr(position - 1)};
}

// ---------------------------------------------------------------------------------------------
// Grid and flags

void ChannelPlanGrid::setRowCount(int rows) {
    cells_.setRowCount(rows);
    inactive_.resize(static_cast<std::size_t>(std::max(rows, 0)), false);
}

bool ChannelPlanGrid::inactive(int row) const {
    return row > 0 && row < static_cast<int>(inactive_.size()) &&
           inactive_[static_cast<std::size_t>(row)];
}

void ChannelPlanGrid::setInactive(int row, bool inactive) {
    if (row <= 0) return;
    if (row >= static_cast<int>(inactive_.size()))
        inactive_.resize(static_cast<std::size_t>(row) + 1, false);
    inactive_[static_cast<std::size_t>(row)] = inactive;
}

std::array<std::string, kChannelWords> ChannelPlanGrid::rowWords(int row) const {
    std::array<std::string, kChannelWords> words;
    words[kWordName] = cell(kColName, row);
    words[kWordFrequency] = std::to_string(MHzTextToHz(cell(kColFrequency, row)));
    words[kWordBandwidth] = std::to_string(MHzTextToHz(cell(kColBandwidth, row)));
    words[kWordOffset] = std::to_string(MHzTextToHz(cell(kColOffset, row)));
    words[kWordKind] = cell(kColKind, row);
    words[kWordActive] = cell(kColActive, row);
    words[kWordSystem] = cell(kColSystem, row);
    words[kWordModulation] = cell(kColModulation, row);
    words[kWordSymbolRate] = cell(kColSymbolRate, row);
    words[kWordGroup] = cell(kColGroup, row);
    words[kWordGroupMember] = cell(kColGroupFlag, row);
    return words;
}

int ChannelPlanGrid::ComprovaFila(int row, int& errorRow, int& errorColumn) const {
    auto fail = [&](int column, int code) {
        errorRow = row;
        errorColumn = column;
        return code;
    };
    const std::string name = cell(kColName, row);
    // A name holding "," or "&" would break the plan file and the instrument's wire text, and a
    // control byte would cut the command short in the instrument.
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (CharacterCount(name) > 4 || name.find_first_of(",&") != std::string::npos || control)
        return fail(kColName, message::kBadName);
    static constexpr struct {
        ChannelField field;
        int column, code;
    } kRules[] = {
        {ChannelField::Frequency, kColFrequency, message::kBadFrequency},
        {ChannelField::Bandwidth, kColBandwidth, message::kBadBandwidth},
        {ChannelField::Offset, kColOffset, message::kBadOffset},
        {ChannelField::Kind, kColKind, message::kBadType},
        {ChannelField::Active, kColActive, message::kBadActive},
        {ChannelField::System, kColSystem, message::kBadSystem},
        {ChannelField::Modulation, kColModulation, message::kBadModulation},
        {ChannelField::SymbolRate, kColSymbolRate, message::kBadSymbolRate},
        {ChannelField::Group, kColGroup, message::kBadGroup},
        {ChannelField::GroupMember, kColGroupFlag, message::kBadGroupMember},
    };
    const auto cells = rowWords(row);
    ChannelWords words;
    std::copy(cells.begin(), cells.end(), words.begin());
    Channel channel;
    const ChannelField failed = ReadChannel(words, channel);
    for (const auto& rule : kRules) {
        if (rule.field == failed) return fail(rule.column, rule.code);
    }
    // The same rule as the senders: a channel whose command would not fit in one report.
    if (ChannelPayload(row - 1, channel).size() > kMaxChannelPayload)
        return fail(kColName, message::kChannelTooLong);
    return 0;
}

int ChannelPlanGrid::Repassa(int& errorColumn, int& errorRow) const {
    for (int row = 1; row < rowCount(); ++row) {
        if (const int code = ComprovaFila(row, errorRow, errorColumn)) return code;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Commands

void ChannelPlanGrid::CopiaCanal(int from, int to) {
    for (int column = kColName; column <= kColActive; ++column)
        setCell(column, to, cell(column, from));
    setInactive(to, inactive(from));
}

void ChannelPlanGrid::Renumber() {
    for (int row = 1; row < rowCount(); ++row)
        setCell(kColNumber, row, std::to_string(row));
}

void ChannelPlanGrid::setFrequency(int row, long long hz) {
    setCell(kColFrequency, row, HzToMHzText(std::clamp(hz, kMinFrequency, kMaxFrequency)));
}

int ChannelPlanGrid::InsertChannel(int r) {
    if (rowCount() >= kMaxGridRows) return 31;
    if (r < 0 || r >= rowCount()) return 0;
    setRowCount(rowCount() + 1);
    const int last = rowCount() - 1;
    for (int k = last; k >= r + 2; --k)
        CopiaCanal(k - 1, k);
    for (int column = kColName; column <= kColActive; ++column)
        setCell(column, r + 1, "");
    setInactive(r + 1, false);
    if (r == 0 || rowCount() == 2) {
        Renumber();
        return 0;
    }
    const std::string current = cell(kColFrequency, r);
    if (!current.empty()) {
        const long long c = MHzTextToHz(current);
        long long suggestion;
        if (rowCount() == 3) {
            suggestion = c + 500000 < kMaxFrequency ? c + 500000 : kMaxFrequency;
        } else if (r == 1) {
            const long long next = MHzTextToHz(cell(kColFrequency, r + 2));
            suggestion = c + (next - c) / 2;
        } else {
            const long long previous = MHzTextToHz(cell(kColFrequency, r - 1));
            const long long d = 2 * c - previous;
            const bool newRowIsLast = r + 1 == last;
            const long long next = newRowIsLast ? 0 : MHzTextToHz(cell(kColFrequency, r + 2));
            suggestion = (newRowIsLast || d < next) ? d : c + (next - c) / 2;
        }
        setCell(kColFrequency, r + 1, HzToMHzText(suggestion));
        if (MHzTextToHz(cell(kColFrequency, r + 1)) > kMaxFrequency)
            setCell(kColFrequency, r + 1, HzToMHzText(kMaxFrequency));
    }
    for (int column = kColBandwidth; column <= kColActive; ++column)
        setCell(column, r + 1, cell(column, r));
    setInactive(r + 1, inactive(r));
    Renumber();
    return 0;
}

void ChannelPlanGrid::DeleteChannel(int r) {
    if (rowCount() < 3 || r < 1 || r >= rowCount()) return;
    for (int k = r; k < rowCount() - 1; ++k)
        CopiaCanal(k + 1, k);
    setRowCount(rowCount() - 1);
}

int ChannelPlanGrid::Ordena() {
    const int n = rowCount() - 1;
    if (n > kMaxChannels) return -200;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int k = 2; k <= n; ++k) {
            const long long here = MHzTextToHz(cell(kColFrequency, k));
            const long long before = MHzTextToHz(cell(kColFrequency, k - 1));
            if (here == before) return k;
            if (here < before) {
                std::vector<std::string> kept;
                for (int column = kColName; column <= kColActive; ++column)
                    kept.push_back(cell(column, k));
                CopiaCanal(k - 1, k);
                for (int column = kColName; column <= kColActive; ++column)
                    setCell(column, k - 1, kept[static_cast<std::size_t>(column - kColName)]);
                swapped = true;
            }
        }
    }
    for (int row = 1; row <= n; ++row)
        setInactive(row, cell(kColActive, row) != "ON");
    return 0;
}

void ChannelPlanGrid::SetAllActive(bool active) {
    for (int row = 1; row < rowCount(); ++row) {
        setCell(kColActive, row, active ? "ON" : "OFF");
        setInactive(row, !active);
    }
}

void ChannelPlanGrid::DtoAFreq(int row) {
    const long long f = MHzTextToHz(cell(kColFrequency, row));
    const long long half = MHzTextToHz(cell(kColBandwidth, row)) / 2;
    setFrequency(row, f - half + 1250000);
}

void ChannelPlanGrid::AtoDFreq(int row) {
    const long long f = MHzTextToHz(cell(kColFrequency, row));
    const long long half = MHzTextToHz(cell(kColBandwidth, row)) / 2;
    setFrequency(row, f + half - 1250000);
}

void ChannelPlanGrid::ToDigital(int row) {
    setCell(kColKind, row, "DIGITAL");
    setCell(kColSystem, row, "DVB-C");
    setCell(kColModulation, row, "QAM256");
    setCell(kColSymbolRate, row, "6952");
    AtoDFreq(row);
}

std::string AnalogSystemForPlan(const std::string& planName) {
    if (planName == "EIA" || planName == "HRC" || planName == "IRC") return "NTSC/N";
    if (planName == "OIRL" || planName == "ST2L") return "SECAM/L";
    if (planName == "UK") return "PAL/I";
    return "PAL/BG";  // also AUST, CCIR, AUNAD, ONO
}

void ChannelPlanGrid::ToAnalog(int row, const std::string& planName) {
    setCell(kColKind, row, "ANALOG");
    setCell(kColSystem, row, AnalogSystemForPlan(planName));
    setCell(kColModulation, row, "");
    setCell(kColSymbolRate, row, "");
    DtoAFreq(row);
}

void ChannelPlanGrid::AllToDigital() {
    for (int row = 1; row < rowCount(); ++row) {
        if (cell(kColKind, row) == "ANALOG") ToDigital(row);
    }
}

void ChannelPlanGrid::AllToAnalog(const std::string& planName) {
    for (int row = 1; row < rowCount(); ++row) {
        if (cell(kColKind, row) == "DIGITAL") ToAnalog(row, planName);
    }
}

void ChannelPlanGrid::StartNewPlan() {
    setRowCount(2);
    const char* values[kEditorColumns] = {"1",      "CH1", "48.25", "7.00",     "0",  "ANALOG",
                                          "PAL/BG", "",    "",      "NO GROUP", "NO", "OFF"};
    for (int column = 0; column < kEditorColumns; ++column)
        setCell(column, 1, values[column]);
    setInactive(1, true);
}

bool ChannelPlanGrid::ChannelLine(int row, std::string& line) const {
    const auto words = rowWords(row);
    const bool digital = words[kWordKind] == "DIGITAL";
    if (!digital && words[kWordKind] != "ANALOG") return false;
    line = std::to_string(row - 1);
    for (int w = kWordName; w < kChannelWords; ++w) {
        if (!digital && (w == kWordModulation || w == kWordSymbolRate)) continue;
        line += "," + words[static_cast<std::size_t>(w)];
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Files

int LoadPlanText(const std::string& content, ChannelPlanGrid& grid, std::string& planName) {
    TextLineReader reader(content);
    planName = reader.next().value_or("");
    const long long declared = std::max(0LL, LeadingInteger(reader.next().value_or("")));
    // The loader takes at most 150 channels: a larger count fails at row 151 anyway.
    const int n = static_cast<int>(std::min<long long>(declared, kMaxChannels + 1));
    grid.setRowCount(n + 1);
    // The loader's codes, by the field that failed: 20 for the index.
    static constexpr std::pair<ChannelField, int> kCodes[] = {
        {ChannelField::Frequency, 22},   {ChannelField::Bandwidth, 23},  {ChannelField::Offset, 24},
        {ChannelField::Kind, 25},        {ChannelField::Active, 26},     {ChannelField::System, 27},
        {ChannelField::Modulation, 28},  {ChannelField::SymbolRate, 29}, {ChannelField::Group, 30},
        {ChannelField::GroupMember, 31},
    };
    for (int r = 1; r <= n; ++r) {
        for (int column = kColName; column <= kColActive; ++column)
            grid.setCell(column, r, "");
        const auto line = reader.next();
        if (!line) return r * 1000 + 20;  // the file ends early
        FieldSplitter fields(*line, ',');
        // Lines are numbered from 0 without a gap.
        if (r > kMaxChannels || ParseDecimal(fields.next()) != r - 1) return r * 1000 + 20;
        grid.setCell(kColNumber, r, std::to_string(r));
        Channel channel;
        const ChannelField failed = ReadChannel(SplitChannelLine(fields), channel);
        PutChannel(grid, r, channel, failed);
        for (const auto& [field, code] : kCodes) {
            if (field == failed) return r * 1000 + code;
        }
    }
    return 0;
}

Outcome<std::string> SavedPlanText(const std::string& content, std::string& planName) {
    MemoryGrid cells(kEditorColumns);
    ChannelPlanGrid grid(cells);
    if (LoadPlanText(content, grid, planName) != 0)
        return {Failure::BadFile, {}, message::kBadChannel};
    const int order = grid.Ordena();
    if (order == -200) return {Failure::BadFile, {}, message::kTooManyChannels};
    if (order != 0) return {Failure::BadFile, {}, message::kSameFrequency};
    int errorColumn = 0;
    int errorRow = 0;
    if (const int code = grid.Repassa(errorColumn, errorRow)) return {Failure::BadFile, {}, code};
    std::string text;
    if (!PlanTextFromGrid(grid, planName, text))
        return {Failure::BadFile, {}, message::kBadChannel};
    return text;
}

bool PlanTextFromGrid(const ChannelPlanGrid& grid, const std::string& planName, std::string& text) {
    std::vector<std::string> lines;
    for (int row = 1; row < grid.rowCount(); ++row) {
        std::string line;
        if (!grid.ChannelLine(row, line)) return false;
        lines.push_back(std::move(line));
    }
    text = FormatPlanFile(planName, lines);
    return true;
}

std::string PlanCsvFromGrid(const ChannelPlanGrid& grid) {
    std::string text;
    for (int row = 0; row < grid.rowCount(); ++row) {
        std::vector<std::string> fields;
        for (int column = 0; column < kEditorColumns; ++column)
            fields.push_back(grid.cell(column, row));
        text += CsvRecord(fields);
    }
    return text;
}

std::vector<CsvRowProblem> LoadPlanCsv(const std::string& text, ChannelPlanGrid& grid) {
    const auto rows = ParseCsv(text);
    if (!rows) return {{static_cast<int>(LeadingInteger(rows.detail())), 0}};
    std::size_t first = 0;
    if (!rows->empty() && !WholeNumber((*rows)[0].fields[0])) first = 1;  // the header
    // Every row is checked in a grid of its own before the editor's grid is touched.
    MemoryGrid cells(kEditorColumns);
    ChannelPlanGrid scratch(cells);
    scratch.setRowCount(static_cast<int>(rows->size() - first) + 1);
    std::vector<CsvRowProblem> problems;
    for (std::size_t k = first; k < rows->size(); ++k) {
        const CsvRow& record = (*rows)[k];
        const int row = static_cast<int>(k - first) + 1;
        if (record.fields.size() != static_cast<std::size_t>(kEditorColumns)) {
            problems.push_back({record.line, 0});
            continue;
        }
        for (int column = 0; column < kEditorColumns; ++column)
            scratch.setCell(column, row, record.fields[static_cast<std::size_t>(column)]);
        int errorRow = 0, errorColumn = 0;
        if (const int code = scratch.ComprovaFila(row, errorRow, errorColumn))
            problems.push_back({record.line, code});
    }
    if (rows->size() == first) problems.push_back({1, 0});  // no channel at all
    if (scratch.rowCount() - 1 > kMaxChannels) problems.push_back({0, message::kTooManyChannels});
    if (!problems.empty()) return problems;
    grid.setRowCount(scratch.rowCount());
    for (int row = 1; row < scratch.rowCount(); ++row) {
        for (int column = 0; column < kEditorColumns; ++column)
            grid.setCell(column, row, scratch.cell(column, row));
        grid.setInactive(row, scratch.cell(kColActive, row) != "ON");
    }
    grid.Renumber();
    return {};
}

std::string CleanPlanName(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '/' && c != '\\') name.push_back(c);
    }
    return FirstCharacters(name, 5);
}

}  // namespace veltra
