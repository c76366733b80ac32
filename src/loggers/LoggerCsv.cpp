#include "loggers/LoggerCsv.h"

#include <vector>

#include "text/Csv.h"

namespace veltra {

namespace {

// The header values: "# label", value; a label naming dBuV gives its value in `unit`.
std::string Values(const std::vector<std::pair<const char*, std::string>>& values, LevelUnit unit) {
    std::string text;
    for (const auto& [label, value] : values) {
        const std::string named = WithUnitNamed(label, unit);
        text += CsvRecord({"# " + named, named == label ? value : LevelTextIn(value, unit)});
    }
    return text;
}

// A table whose columns headed in dBuV give their values in `unit`.
template <std::size_t N>
std::string Table(const std::vector<std::string>& header,
                  const std::vector<std::array<std::string, N>>& rows, LevelUnit unit) {
    std::vector<std::string> named;
    for (const std::string& title : header)
        named.push_back(WithUnitNamed(title, unit));
    std::string text = CsvRecord(named);
    for (const auto& row : rows) {
        std::vector<std::string> fields(row.begin(), row.end());
        for (std::size_t k = 0; k < fields.size() && k < header.size(); ++k)
            if (named[k] != header[k]) fields[k] = LevelTextIn(fields[k], unit);
        text += CsvRecord(fields);
    }
    return text;
}

}  // namespace

std::string TvLoggerCsv(const TvLogger& l, LevelUnit unit) {
    return Values({{"TV logger", l.name},
                   {"Channel plan", l.planName},
                   {"Date", l.date},
                   {"Time", l.time},
                   {"Noise measurement mode", l.noiseMode},
                   {"Noise measurement frequency (MHz)", l.noiseFrequency},
                   {"Threshold (dBuV)", l.threshold}},
                  unit) +
           Table({"No", "Name", "Frequency (MHz)", "Bandwidth (MHz)", "Offset (MHz)", "Type",
                  "Level (dBuV)", "System", "Modulation / audio carrier (MHz)",
                  "Symbol rate (kBd) / video to audio (dB)", "MER / C/N (dB)", "BER"},
                 l.records, unit);
}

std::string DownLoggerCsv(const DownLogger& l, LevelUnit unit) {
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
                  unit) +
           Table({"No", "Channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)"},
                 std::vector<std::array<std::string, 5>>(l.rows.begin(), l.rows.end()), unit);
}

std::string ModemLoggerCsv(const ModemLogger& l, LevelUnit unit) {
    return Values({{"Modem logger", l.name}, {"Date", l.date}, {"Time", l.time}}, unit) +
           Table({"No", "Downstream channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)",
                  "MER (dB)", "Modulation"},
                 std::vector<std::array<std::string, 7>>(l.down.begin(), l.down.end()), unit) +
           Table({"No", "Upstream channel", "Frequency (MHz)", "Level (dBuV)", "Attenuation (dB)",
                  "Bandwidth (MHz)", "Symbol rate (kBd)", "Modulation"},
                 std::vector<std::array<std::string, 8>>(l.up.begin(), l.up.end()), unit);
}

std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind, LevelUnit unit) {
    switch (kind) {
        case kShowTv:
            return TvLoggerCsv(records.tv, unit);
        case kShowDown:
            return DownLoggerCsv(records.down, unit);
        default:
            return ModemLoggerCsv(records.modem, unit);
    }
}

}  // namespace veltra
