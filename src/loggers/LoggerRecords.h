// The instrument's data loggers: the index of a list, the three logger records as the viewers
// show them, the instrument's answers that fill them, and the logger files. Plain C++.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

// The instrument's two lists of loggers.
enum class LoggerList { Modem = 0, Tv = 1 };
// The three kinds of logger record, as the viewers that show them are numbered.
enum LoggerKindShown { kShowNothing = 0, kShowTv = 1, kShowDown = 2, kShowModem = 3 };
inline constexpr int kMaxLoggers = 50;
inline int LoggersInList(LoggerList list) {
    return list == LoggerList::Tv ? 50 : 30;
}

// One entry of the logger index table.
struct LoggerIndexEntry {
    bool present = false;
    int number = 255;
    std::string date = "--/--/--";
    std::string time = "--:--:--";
    std::string name = "--------";
};

// The logger index table: the entries of both lists as last received, one table a program run.
class LoggerIndexTable {
  public:
    using Entries = std::array<LoggerIndexEntry, kMaxLoggers>;
    Entries& operator[](LoggerList list) { return lists_[static_cast<std::size_t>(list)]; }
    const Entries& operator[](LoggerList list) const {
        return lists_[static_cast<std::size_t>(list)];
    }

  private:
    std::array<Entries, 2> lists_{};
};

// TV record columns: 0 row number, 1 name, 2 frequency, 3 bandwidth, 4 offset (MHz "%.2f"),
// 5 type, 6 power, 7 system, 8 modulation or audio frequency, 9 symbol rate or video-to-audio
// ratio, 10 MER or C/N, 11 BER (empty for analog).
using TvRecord = std::array<std::string, 12>;

struct TvLogger {
    std::string name, fileName, date, time;
    std::string planName, noiseMode, noiseFrequency, threshold;
    std::vector<TvRecord> records;  // rows 1..N
};

struct ModemLogger {
    std::string name, fileName, date, time;
    // 0 row, 1 channel, 2 channel plan, 3 frequency, 4 power, 5 MER, 6 modulation
    std::array<std::array<std::string, 7>, 8> down{};
    // 0 row, 1 upstream channel, 2 frequency, 3 power, 4 attenuation, 5 bandwidth,
    // 6 symbol rate, 7 modulation
    std::array<std::array<std::string, 8>, 4> up{};
};

struct DownLogger {
    std::string name, fileName, date, time;
    std::string channel, planName, system, version, frequency, modulation, symbolRate, offset,
        power, mer, interleaverI, interleaverJ, preBer, postBer;
    // 0 row, 1 channel, 2 channel plan, 3 frequency, 4 power
    std::array<std::array<std::string, 5>, 8> rows{};
};

// --- Measured values ------------------------------------------------------------------------

// Whether a value that ends a line was not cut short: a measured value as the instrument writes
// it (a number, "61.2", "2.1E-6"; a bound of its range, "<1.0E-8"; dashes where it measured
// nothing), or a text that no cut leaves ("N/A"); not "", "<", "60.", "1.0E-", nor with
// `decimals` (levels, which the instrument writes in tenths) "60". A file cut inside its last
// line leaves such a value, and a logger whose value is one would save a file that does not open.
bool IsWholeValue(std::string_view text, bool decimals);
// The same for a modem's upstream modulation ("64QAM", "QPSK", dashes; not "64QA").
bool IsWholeModulation(std::string_view text);

// --- Answers of the instrument --------------------------------------------------------------

// Presence bitmaps of "*?LT" / "*?LM": six loggers per character.
std::array<bool, kMaxLoggers> ParsePresence(const std::string& value, LoggerList list);
// "*?OT"/"*?OM": number (2 digits), time (8), date (10), name.
LoggerIndexEntry ParseIndexEntry(const std::string& value);

struct TvHeader {
    std::string planName;
    int recordCount = 0;
    int noiseMode = 0;
    long long noiseFrequencyHz = 0;
    long long thresholdTenths = 0;
};
inline constexpr int kMaxTvRecords = 150;
// "*?ET": refused (empty) when a number is missing, the count is negative or above 150, or the
// mode is not 0..2.
std::optional<TvHeader> ParseTvHeader(const std::string& value);
// "*?HD": 0, or the error 10..15, 17 (15: a digital channel's BER not as the instrument writes
// it whole). Fills columns 1..11 of `record`.
int ParseTvRecord(const std::string& value, TvRecord& record);
// "*?EM": 0 modem logger, 1 downstream logger, -1 anything else.
int ParseLoggerKind(const std::string& value);
// "*?HM" NN 8 and 9: false when the value is not a downstream logger's.
bool ParseDownHeaderFirst(const std::string& value, DownLogger& logger);
bool ParseDownHeaderSecond(const std::string& value, DownLogger& logger);
// "*?HM" NN d: false when the value is not a downstream (modem) logger's, or when its last field
// is not whole (IsWholeValue, IsWholeModulation).
bool ParseDownRow(const std::string& value, std::array<std::string, 5>& row);
bool ParseModemRow(const std::string& value, std::array<std::string, 7>& row);
bool ParseModemUpstreamRow(const std::string& value, std::array<std::string, 8>& row);

// --- Files ----------------------------------------------------------------------------------

inline constexpr const char* kTvExtension = ".logtv";
inline constexpr const char* kDownExtension = ".logds";
inline constexpr const char* kModemExtension = ".logmr";

// The file texts. The TV text fails (false) at a record whose type is neither word.
bool TvLoggerFileText(const TvLogger& logger, std::string& text);
std::string DownLoggerFileText(const DownLogger& logger);
std::string ModemLoggerFileText(const ModemLogger& logger);

// Why a logger file was refused, and at which line (counted from 1).
enum class LoggerFault {
    None,
    UnknownKind,     // the first line is not a kind of logger
    EndsInHeader,    // the file ends before its header does
    NotANumber,      // a header line that must hold a whole number
    TooManyRecords,  // more than 150 TV records
    EndsEarly,       // the file ends before this table line
    FieldsMissing,   // a table line without all its fields (cut short)
    BadRecord,       // a TV record out of its ranges
    BadValue,        // a measured value the instrument never writes so ("67.", "1.0E-")
};
struct LoggerFileError {
    int line = 0;
    LoggerFault fault = LoggerFault::None;
};

// Reads a logger file's text. Results: 1 TV, 2 downstream, 3 modem logger read into its record;
// -13 unknown kind; -14 more than 150 TV records; -16 a header cut short or a count that is not
// a number; k * 1000 + error for a bad row k (20, 22..25; 20 also for a file that ends before
// row k; 26 a row without all its fields; 27 a measured value the instrument never writes so).
// A modem or downstream record is replaced only by a file read whole. `error`, when given, says
// where and why a file was refused.
struct LoggerRecords {
    TvLogger tv;
    ModemLogger modem;
    DownLogger down;
};
inline constexpr int kHeaderIncomplete = -16;
int ReadLoggerText(const std::string& content, const std::string& path, LoggerRecords& records,
                   LoggerFileError* error = nullptr);

// Save-all-as naming: the chosen path cut before the first "." of its file name, then "_", the
// logger's name (made safe for a file name) and the extension.
std::string SaveAllAsPath(const std::string& chosen, const std::string& loggerName,
                          const std::string& extension);

// Pads numbered rows: the modem and downstream tables number their rows themselves.
void NumberFixedRows(ModemLogger& logger);
void NumberFixedRows(DownLogger& logger);

}  // namespace veltra
