#include "editor/EditorGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "channelplans/ChannelRecord.h"
#include "language/LanguageTable.h"

namespace veltra {

namespace {

bool IsAnalogSystem(const std::string& word) {
    return CodeOf(kAnalogSystems, word) >= 0;
}
bool IsDigitalSystem(const std::string& word) {
    return CodeOf(kDigitalSystems, word) >= 0;
}
bool IsModulation(const std::string& word) {
    return CodeOf(kModulations, word) >= 0;
}

// A cell that must hold digits only (symbol rate, group): "6952x" and "7000.5" are not numbers
// the plan file or the instrument can take.
std::optional<long long> WholeNumber(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return ParseDecimal(text);
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

int ChannelPlanGrid::ComprovaFila(int row, int& errorRow, int& errorColumn) const {
    auto fail = [&](int column, int code) {
        errorRow = row;
        errorColumn = column;
        return code;
    };
    const std::string name = cell(kColName, row);
    // A name holding "," or "&" would break the plan file and the instrument's wire text.
    if (CharacterCount(name) > 4 || name.find_first_of(",&") != std::string::npos)
        return fail(kColName, 19);
    if (!IsChannelFrequency(MHzTextToHz(cell(kColFrequency, row)))) return fail(kColFrequency, 20);
    if (!IsChannelBandwidth(MHzTextToHz(cell(kColBandwidth, row)))) return fail(kColBandwidth, 21);
    if (!IsChannelOffset(MHzTextToHz(cell(kColOffset, row)))) return fail(kColOffset, 22);
    const std::string kind = cell(kColKind, row);
    if (kind != "DIGITAL" && kind != "ANALOG") return fail(kColKind, 23);
    const std::string active = cell(kColActive, row);
    if (active != "ON" && active != "OFF") return fail(kColActive, 24);
    const bool digital = kind == "DIGITAL";
    const std::string system = cell(kColSystem, row);
    if (digital ? !IsDigitalSystem(system) : !IsAnalogSystem(system)) return fail(kColSystem, 25);
    if (digital) {
        if (!IsModulation(cell(kColModulation, row))) return fail(kColModulation, 26);
        if (!InRange(WholeNumber(cell(kColSymbolRate, row)), 1000, 7200))
            return fail(kColSymbolRate, 27);
    }
    // Every row writes its group and flag into the plan file, analog rows too: what the row
    // check passes must load back and go to the instrument.
    const std::string group = cell(kColGroup, row);
    if (group != "NO GROUP" && !InRange(WholeNumber(group), 1, 10)) return fail(kColGroup, 28);
    const std::string flag = cell(kColGroupFlag, row);
    if (flag != "YES" && flag != "NO") return fail(kColGroupFlag, 29);
    // The same rule as the senders: a channel whose command would not fit in one report.
    std::string line;
    ChannelLine(row, line);
    PayloadConverter converter;
    if (converter.ChannelLineToPayload(line, true) == kTooLongMarker)
        return fail(kColName, kChannelTooLongCode);
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
    const std::string kind = cell(kColKind, row);
    if (kind != "DIGITAL" && kind != "ANALOG") return false;
    line = std::to_string(row - 1) + "," + cell(kColName, row) + "," +
           std::to_string(MHzTextToHz(cell(kColFrequency, row))) + "," +
           std::to_string(MHzTextToHz(cell(kColBandwidth, row))) + "," +
           std::to_string(MHzTextToHz(cell(kColOffset, row))) + "," + kind + "," +
           cell(kColActive, row) + "," + cell(kColSystem, row);
    if (kind == "DIGITAL")
        line += "," + cell(kColModulation, row) + "," + cell(kColSymbolRate, row);
    line += "," + cell(kColGroup, row) + "," + cell(kColGroupFlag, row);
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
    int previousIndex = -1;
    for (int r = 1; r <= n; ++r) {
        for (int column = kColName; column <= kColActive; ++column)
            grid.setCell(column, r, "");
        const auto line = reader.next();
        if (!line) return r * 1000 + 20;  // the file ends early
        std::size_t pos = 0;
        auto field = [&](bool last = false) {
            if (pos > line->size()) return std::string();
            const std::size_t end = last ? line->size() : line->find(',', pos);
            const std::string text =
                line->substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            pos = end == std::string::npos ? line->size() + 1 : end + 1;
            return text;
        };
        auto number = [](const std::string& text) { return ParseDecimal(text); };

        const auto index = number(field());
        if (!index || *index < 0 || *index > 149 || *index != previousIndex + 1)
            return r * 1000 + 20;
        previousIndex = static_cast<int>(*index);
        grid.setCell(kColNumber, r, std::to_string(r));
        grid.setCell(kColName, r, field());
        const auto frequency = number(field());
        if (!IsChannelFrequency(frequency)) return r * 1000 + 22;
        grid.setCell(kColFrequency, r, HzToMHzText(*frequency));
        const auto bandwidth = number(field());
        if (!IsChannelBandwidth(bandwidth)) return r * 1000 + 23;
        grid.setCell(kColBandwidth, r, HzToMHzText(*bandwidth));
        const auto offset = number(field());
        if (!IsChannelOffset(offset)) return r * 1000 + 24;
        grid.setCell(kColOffset, r, HzToMHzText(*offset));
        const std::string kind = field();
        if (kind != "DIGITAL" && kind != "ANALOG") return r * 1000 + 25;
        grid.setCell(kColKind, r, kind);
        const std::string active = field();
        if (active != "ON" && active != "OFF") return r * 1000 + 26;
        grid.setCell(kColActive, r, active);
        grid.setInactive(r, active != "ON");
        const bool digital = kind == "DIGITAL";
        const std::string system = field();
        if (digital ? !IsDigitalSystem(system) : !IsAnalogSystem(system)) return r * 1000 + 27;
        grid.setCell(kColSystem, r, system);
        if (digital) {
            const std::string modulation = field();
            if (!IsModulation(modulation)) return r * 1000 + 28;
            grid.setCell(kColModulation, r, modulation);
            const std::string symbolRate = field();
            const auto rate = number(symbolRate);
            if (!rate || !InRange(*rate, 1000, 7200)) return r * 1000 + 29;
            grid.setCell(kColSymbolRate, r, symbolRate);
        }
        const std::string group = field();
        if (group != "NO GROUP") {
            const auto value = number(group);
            if (!value || !InRange(*value, 1, 10)) return r * 1000 + 30;
        }
        grid.setCell(kColGroup, r, group);
        const std::string flag = field(true);
        if (flag != "NO" && flag != "YES") return r * 1000 + 31;
        grid.setCell(kColGroupFlag, r, flag);
    }
    return 0;
}

bool PlanTextFromGrid(const ChannelPlanGrid& grid, const std::string& planName, std::string& text) {
    text = planName + "\r\n" + std::to_string(grid.rowCount() - 1);
    for (int row = 1; row < grid.rowCount(); ++row) {
        std::string line;
        if (!grid.ChannelLine(row, line)) return false;
        text += "\r\n" + line;
    }
    return true;
}

std::string CleanPlanName(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '/' && c != '\\') name.push_back(c);
    }
    return FirstCharacters(name, 5);
}

}  // namespace veltra
