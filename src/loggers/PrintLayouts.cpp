#include "loggers/PrintLayouts.h"

#include "text/Files.h"
#include "text/Text.h"

namespace veltra {

namespace {

constexpr std::size_t kPrintPiece = 149;

// A table field: three spaces before the text (none for the row's first field), then spaces,
// cut to the width.
std::string Field(const std::string& text, std::size_t width, bool first = false) {
    std::string field = first ? text : "   " + text;
    field.resize(width, ' ');
    return field;
}

// A label and spaces, so that the value starts at `column` (1-based).
std::string Labelled(const std::string& label, std::size_t column, const std::string& value,
                     const std::string& unit = {}) {
    std::string line = label;
    line.resize(std::max(line.size(), column - 1), ' ');
    return line + value + unit;
}

// The frequency and power fields have room for "1002.25" and "112.5": narrower, they cut the
// level's decimal and a frequency above 1 GHz.
const char* const kTvHeader =
    "NAME   FREQ      BW     OFFS    TYPE   PWR     SYSTEM     MOD/AF   SR/AV   MER/CN   BER";

// A table header padded to its rows' width, then the verdict column's header; the header alone
// without verdicts.
std::string Header(const std::string& header, std::size_t rowWidth, const VerdictColumn* verdicts,
                   const std::string& verdictHeader) {
    if (!verdicts) return header;
    std::string line = header;
    line.resize(std::max(line.size(), rowWidth), ' ');
    return line + "   " + verdictHeader;
}

// The verdict field that ends row `row` of a table (nothing without verdicts).
std::string VerdictField(const VerdictColumn* verdicts, std::size_t row, bool upstream = false) {
    if (!verdicts) return {};
    const auto& rows = upstream ? verdicts->upstreamRows : verdicts->rows;
    return "   " + (row < rows.size() ? rows[row] : std::string());
}

}  // namespace

std::optional<std::string> TvPrintLayout(const TvLogger& l, const VerdictColumn* verdicts,
                                         const std::string& verdictHeader) {
    const std::string header = Header(kTvHeader, 93, verdicts, verdictHeader);
    std::string text = "TV LOGGER\r\n";
    text += Labelled("Logger name:", 30, l.name) + "\r\n";
    text += Labelled("Channel plan name:", 30, l.planName) + "\r\n";
    text += Labelled("Logger date:", 30, l.date) + "\r\n";
    text += Labelled("Logger time:", 30, l.time) + "\r\n";
    text += Labelled("Noise measurement mode:", 30, l.noiseMode) + "\r\n";
    text += Labelled("Noise measurement frequency:", 30, l.noiseFrequency, " MHz") + "\r\n";
    text += Labelled("Threshold:", 30, l.threshold, " dBuV") + "\r\n";
    text += "\r\n";
    for (std::size_t k = 0; k < l.records.size(); ++k) {
        const TvRecord& r = l.records[k];
        if (r[5] != "DIGITAL" && r[5] != "ANALOG") return std::nullopt;
        if (k > 0) text += "\r\n";  // ends the row before
        // Two empty lines before the table; a logger without records ends after one.
        if (k == 0) text += "\r\n" + header + "\r\n";
        if (k == 70) text += "\r\n" + header + "\r\n";
        text += Field(r[1], 4, true) + Field(r[2], 10) + Field(r[3], 7) + Field(r[4], 8) +
                Field(r[5] == "DIGITAL" ? "D" : "A", 7) + Field(r[6], 8) + Field(r[7], 11) +
                Field(r[8], 9) + Field(r[9], 8) + Field(r[10], 9) + Field(r[11], 12) +
                VerdictField(verdicts, k);
    }
    return text + "#";
}

std::string ModemPrintLayout(const ModemLogger& l, const VerdictColumn* verdicts,
                             const std::string& verdictHeader) {
    std::string text = "REGISTRED MODEM LOGGER\r\n";
    text += "Logger name: " + l.name + "\r\n";
    text += "Logger date: " + l.date + "\r\n";
    text += "Logger time: " + l.time + "\r\n";
    text += "\r\n";
    text += Header("CHANNEL   CHANNEL PLAN   FREQ (MHz)   PWR (dBuV)   MER (dB)   MOD", 68,
                   verdicts, verdictHeader) +
            "\r\n";
    for (std::size_t k = 0; k < l.down.size(); ++k) {
        const auto& r = l.down[k];
        text += Field(r[1], 7, true) + Field(r[2], 15) + Field(r[3], 13) + Field(r[4], 13) +
                Field(r[5], 11) + Field(r[6], 9) + VerdictField(verdicts, k) + "\r\n";
    }
    text += "\r\n";
    text += Header("UC   FREQ (MHz)   PWR (dBuV)   ATTEN (dB)   BW (MHz)   SR (ksymb/s)   MOD", 76,
                   verdicts, verdictHeader);
    for (std::size_t k = 0; k < l.up.size(); ++k) {
        const auto& r = l.up[k];
        text += "\r\n" + Field(r[1], 2, true) + Field(r[2], 13) + Field(r[3], 13) +
                Field(r[4], 13) + Field(r[5], 11) + Field(r[6], 15) + Field(r[7], 9) +
                VerdictField(verdicts, k, true);
    }
    return text + "#";
}

std::string DownPrintLayout(const DownLogger& l, const VerdictColumn* verdicts,
                            const std::string& verdictHeader) {
    std::string text = "DOWNSTREAM LOGGER\r\n";
    const struct {
        const char* label;
        const std::string* value;
        const char* unit;
    } lines[] = {
        {"Logger name:", &l.name, ""},
        {"Logger date:", &l.date, ""},
        {"Logger time:", &l.time, ""},
        {"Channel name:", &l.channel, ""},
        {"Channel plan name:", &l.planName, ""},
        {"System:", &l.system, ""},
        {"Version:", &l.version, ""},
        {"Frequency:", &l.frequency, "MHz"},
        {"Modulation:", &l.modulation, ""},
        {"Symbol rate:", &l.symbolRate, "ksymb/s"},
        {"Frequency offset:", &l.offset, "MHz"},
        {"Power:", &l.power, "dBuV"},
        {"MER:", &l.mer, "dB"},
        {"Interleaver I:", &l.interleaverI, ""},
        {"Interleaver J:", &l.interleaverJ, ""},
        {"PreBER:", &l.preBer, ""},
        {"PostBER:", &l.postBer, ""},
    };
    for (const auto& line : lines)
        text += Labelled(line.label, 20, *line.value, line.unit) + "\r\n";
    text += "\r\n";
    text +=
        Header("CHANNEL   CHANNEL PLAN   FREQ (MHz)   POWER (dBuV)", 50, verdicts, verdictHeader);
    for (std::size_t k = 0; k < l.rows.size(); ++k) {
        const auto& r = l.rows[k];
        text += "\r\n" + Field(r[1], 7, true) + Field(r[2], 15) + Field(r[3], 13) +
                Field(r[4], 15) + VerdictField(verdicts, k);
    }
    return text + "#";
}

std::vector<std::string> PrintedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lineFeed = text.find('\n', pos);
        const std::size_t lineEnd = lineFeed == std::string::npos ? text.size() : lineFeed;
        const std::size_t end = std::min(lineEnd, pos + kPrintPiece);
        std::string piece = text.substr(pos, end - pos);
        const bool hadBreak = end == lineEnd && lineFeed != std::string::npos;
        pos = end == lineEnd ? lineEnd + 1 : end;
        if (hadBreak) {
            if (!piece.empty() && piece.back() == '\r') piece.pop_back();
        } else if (!piece.empty()) {
            piece.pop_back();  // the "#" after the last row, or a piece's last character
        }
        lines.push_back(piece);
    }
    return lines;
}

std::vector<LinePlace> PlaceLines(std::size_t lines, int lineSpacing, int pageHeight) {
    std::vector<LinePlace> places;
    int page = 0;
    int i = 0;
    for (std::size_t line = 0; line < lines; ++line) {
        int y = i * lineSpacing + kPrintMargin;
        if (y > pageHeight - 160) {
            ++page;
            i = 0;
            y = kPrintMargin;
        }
        places.push_back({page, y});
        ++i;
    }
    return places;
}

int PrintTextFile(const std::string& path, TextPrinter& printer) {
    std::string text;
    if (!ReadWholeFile(path, text, file_limit::kLoggerFile)) {
        printer.printLines({});
        return 0;
    }
    printer.printLines(PrintedLines(text));
    return 1;
}

}  // namespace veltra
