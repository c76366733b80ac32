#include "loggers/LoggerCsv.h"

#include <vector>

#include "text/Csv.h"

namespace veltra {

namespace {

using Labelled = std::vector<std::pair<std::string, std::string>>;

// The header values: "# label", value; a label naming dBuV gives its value in the style's unit.
// With a limit set, its name and each network figure of `verdict` follow.
std::string Values(const Labelled& values, const CsvStyle& style, const LoggerVerdict& verdict) {
    std::string text;
    for (const auto& [label, value] : values) {
        const std::string named = WithUnitNamed(label, style.unit);
        text += CsvRecord({"# " + named, named == label ? value : LevelTextIn(value, style.unit)});
    }
    if (!style.limits) return text;
    text += CsvRecord({"# Limits", style.limits->name});
    for (const FigureVerdict& f : verdict.figures)
        text += CsvRecord({"# " + style.words.figureNames[static_cast<int>(f.figure)],
                           FigureText(f, style.words)});
    return text;
}

// A table whose columns headed in dBuV give their values in the style's unit; with a limit set
// a last column of each row's verdict (`verdicts`, by row).
template <std::size_t N>
std::string Table(const std::vector<std::string>& header,
                  const std::vector<std::array<std::string, N>>& rows, const CsvStyle& style,
                  const std::vector<std::string>& verdicts) {
    std::vector<std::string> named;
    for (const std::string& title : header)
        named.push_back(WithUnitNamed(title, style.unit));
    if (style.limits) named.push_back("Verdict");
    std::string text = CsvRecord(named);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> fields(rows[r].begin(), rows[r].end());
        for (std::size_t k = 0; k < fields.size() && k < header.size(); ++k)
            if (named[k] != header[k]) fields[k] = LevelTextIn(fields[k], style.unit);
        if (style.limits) fields.push_back(r < verdicts.size() ? verdicts[r] : std::string());
        text += CsvRecord(fields);
    }
    return text;
}

// The verdicts of a logger judged on the style's set (none without one).
template <typename Logger, typename Judge>
std::pair<LoggerVerdict, VerdictColumn> Judged(const Logger& logger, const CsvStyle& style,
                                               Judge judge) {
    if (!style.limits) return {};
    LoggerVerdict verdict = judge(logger, *style.limits);
    VerdictColumn column = VerdictTexts(verdict, style.words, style.unit);
    return {std::move(verdict), std::move(column)};
}

}  // namespace

std::string TvLoggerCsv(const TvLogger& l, const CsvStyle& style) {
    const auto [verdict, column] = Judged(l, style, JudgeTvLogger);
    return Values({{"TV logger", l.name},
                   {"Channel plan", l.planName},
                   {"Date", l.date},
                   {"Time", l.time},
                   {"Noise measurement mode", l.noiseMode},
                   {"Noise measurement frequency (MHz)", l.noiseFrequency},
                   {"Threshold (dBuV)", l.threshold}},
                  style, verdict) +
           Table({"No", "Name", "Frequency (MHz)", "Bandwidth (MHz)", "Offset (MHz)", "Type",
                  "Level (dBuV)", "System", "Modulation / audio carrier (MHz)",
                  "Symbol rate (kBd) / video to audio (dB)", "MER / C/N (dB)", "BER"},
                 l.records, style, column.rows);
}

std::string DownLoggerCsv(const DownLogger& l, const CsvStyle& style) {
    const auto [verdict, column] = Judged(l, style, JudgeDownLogger);
    return Values({{"Downstream logger", l.name},
                   {"Date", l.date},
                   {"Time", l.time},
                   {"Channel", l.channel},
                   {"Channel plan", l.planName},
                   {"System", l.system},
                   {"Version", l.version},
                   {"Frequency (MHz)", l.frequency},
                   {"Modulation", l.modulation},
                   {"Symbol rate (kBd)", l.symbolRate},
                   {"Offset (MHz)", l.offset},
                   {"Level (dBuV)", l.power},
                   {"MER (dB)", l.mer},
                   {"Interleaver I", l.interleaverI},
                   {"Interleaver J", l.interleaverJ},
                   {"BER before correction", l.preBer},
                   {"BER after correction", l.postBer}},
                  style, verdict) +
           Table({"No", "Channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)"},
                 std::vector<std::array<std::string, 5>>(l.rows.begin(), l.rows.end()), style,
                 column.rows);
}

std::string ModemLoggerCsv(const ModemLogger& l, const CsvStyle& style) {
    const auto [verdict, column] = Judged(l, style, JudgeModemLogger);
    return Values({{"Modem logger", l.name}, {"Date", l.date}, {"Time", l.time}}, style, verdict) +
           Table({"No", "Downstream channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)",
                  "MER (dB)", "Modulation"},
                 std::vector<std::array<std::string, 7>>(l.down.begin(), l.down.end()), style,
                 column.rows) +
           Table({"No", "Upstream channel", "Frequency (MHz)", "Level (dBuV)", "Attenuation (dB)",
                  "Bandwidth (MHz)", "Symbol rate (kBd)", "Modulation"},
                 std::vector<std::array<std::string, 8>>(l.up.begin(), l.up.end()), style,
                 column.upstreamRows);
}

std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind, const CsvStyle& style) {
    switch (kind) {
        case kShowTv:
            return TvLoggerCsv(records.tv, style);
        case kShowDown:
            return DownLoggerCsv(records.down, style);
        default:
            return ModemLoggerCsv(records.modem, style);
    }
}

}  // namespace veltra
