#include "loggers/LoggerCsv.h"

#include <vector>

#include "text/Csv.h"

namespace veltra {

namespace {

// The header values: "# label", value.
std::string Values(const std::vector<std::pair<const char*, std::string>>& values) {
    std::string text;
    for (const auto& [label, value] : values)
        text += CsvRecord({std::string("# ") + label, value});
    return text;
}

template <std::size_t N>
std::string Table(const std::vector<std::string>& header,
                  const std::vector<std::array<std::string, N>>& rows) {
    std::string text = CsvRecord(header);
    for (const auto& row : rows)
        text += CsvRecord(std::vector<std::string>(row.begin(), row.end()));
    return text;
}

}  // namespace

std::string TvLoggerCsv(const TvLogger& l) {
    return Values({{"TV logger", l.name},
                   {"Channel plan", l.planName},
                   {"Date", l.date},
                   {"Time", l.time},
                   {"Noise measurement mode", l.noiseMode},
                   {"Noise measurement frequency (MHz)", l.noiseFrequency},
                   {"Threshold (dBuV)", l.threshold}}) +
           Table({"No", "Name", "Frequency (MHz)", "Bandwidth (MHz)", "Offset (MHz)", "Type",
                  "Level (dBuV)", "System", "Modulation / audio carrier (MHz)",
                  "Symbol rate (kBd) / video to audio (dB)", "MER / C/N (dB)", "BER"},
                 l.records);
}

std::string DownLoggerCsv(const DownLogger& l) {
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
                   {"BER after correction", l.postBer}}) +
           Table({"No", "Channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)"},
                 std::vector<std::array<std::string, 5>>(l.rows.begin(), l.rows.end()));
}

std::string ModemLoggerCsv(const ModemLogger& l) {
    return Values({{"Modem logger", l.name}, {"Date", l.date}, {"Time", l.time}}) +
           Table({"No", "Downstream channel", "Channel plan", "Frequency (MHz)", "Level (dBuV)",
                  "MER (dB)", "Modulation"},
                 std::vector<std::array<std::string, 7>>(l.down.begin(), l.down.end())) +
           Table({"No", "Upstream channel", "Frequency (MHz)", "Level (dBuV)", "Attenuation (dB)",
                  "Bandwidth (MHz)", "Symbol rate (kBd)", "Modulation"},
                 std::vector<std::array<std::string, 8>>(l.up.begin(), l.up.end()));
}

std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind) {
    switch (kind) {
        case kShowTv:
            return TvLoggerCsv(records.tv);
        case kShowDown:
            return DownLoggerCsv(records.down);
        default:
            return ModemLoggerCsv(records.modem);
    }
}

}  // namespace veltra
