#include "loggers/LoggerFetch.h"

#include "channelplans/ChannelRecord.h"
#include "language/TextKeys.h"
#include "link/Commands.h"

namespace veltra {

namespace {

bool IsLoggerNumber(int number) {
    return number >= 0 && number < kMaxLoggers;
}

// The name, time and date of a fetched logger are those of its index row.
template <class Logger>
void TakeIndexRow(const LoggerIndexRow& row, Logger& logger) {
    logger.name = row.name;
    logger.time = row.time;
    logger.date = row.date;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The index

std::optional<std::array<bool, kMaxLoggers>> LoggerFetcher::GetLoggerList(LoggerList list) {
    const bool tv = list == LoggerList::Tv;
    const auto value = link_.QueryValue(command::LoggerPresence(tv));
    // Every bitmap character must be there: a short value is a garbled answer.
    if (!value || value->size() < static_cast<std::size_t>(tv ? 9 : 5)) return std::nullopt;
    return ParsePresence(*value, list);
}

std::optional<LoggerIndexEntry> LoggerFetcher::GetLoggerEntry(int number, LoggerList list) {
    const std::string digits = ZeroPadded(number, 2);
    const auto value = link_.QueryValue(command::LoggerEntry(list == LoggerList::Tv, number));
    // The entry repeats its number and holds its time and date whole.
    if (!value || value->size() < 20 || value->compare(0, 2, digits) != 0) return std::nullopt;
    return ParseIndexEntry(*value);
}

Ended LoggerFetcher::ReceiveLoggerIndex(LoggerList list, LoggerIndexTable& table) {
    const auto present = GetLoggerList(list);
    if (!present) return Failure::BadAnswer;
    std::array<LoggerIndexEntry, kMaxLoggers> entries{};
    for (int n = 0; n < LoggersInList(list); ++n) {
        LoggerIndexEntry& entry = entries[static_cast<std::size_t>(n)];
        if (!(*present)[static_cast<std::size_t>(n)]) {
            entry.number = n;
            continue;
        }
        const auto received = GetLoggerEntry(n, list);
        if (!received) return Failure::BadAnswer;
        entry = *received;
    }
    table[list] = entries;
    return Done{};
}

// ---------------------------------------------------------------------------------------------
// Single exchanges

std::optional<TvHeader> LoggerFetcher::GetTvHeader(int number) {
    if (!IsLoggerNumber(number)) return std::nullopt;
    const auto value = link_.QueryValue(command::TvHeader(number));
    if (!value) return std::nullopt;
    return ParseTvHeader(*value);
}

bool LoggerFetcher::GetTvRecord(int number, int record, TvRecord& into) {
    if (!IsLoggerNumber(number)) return false;
    const auto value = link_.QueryValue(command::TvRecord(number, record));
    return value && ParseTvRecord(*value, into) == 0;
}

std::optional<int> LoggerFetcher::GetLoggerKind(int number) {
    if (!IsLoggerNumber(number)) return std::nullopt;
    const auto value = link_.QueryValue(command::LoggerKind(number));
    const int kind = value ? ParseLoggerKind(*value) : -1;
    if (kind < 0) return std::nullopt;
    return kind;
}

bool LoggerFetcher::GetDownHeader(int number, DownLogger& into) {
    if (!IsLoggerNumber(number)) return false;
    const auto first = link_.QueryValue(command::ModemRow(number, 8));
    if (!first || !ParseDownHeaderFirst(*first, into)) return false;
    const auto second = link_.QueryValue(command::ModemRow(number, 9));
    return second && ParseDownHeaderSecond(*second, into);
}

bool LoggerFetcher::GetDownRow(int number, int row, DownLogger& into) {
    if (!IsLoggerNumber(number) || row < 0 || row > 7) return false;
    const auto value = link_.QueryValue(command::ModemRow(number, row));
    return value && ParseDownRow(*value, into.rows[static_cast<std::size_t>(row)]);
}

bool LoggerFetcher::GetModemRow(int number, int code, ModemLogger& into) {
    if (!IsLoggerNumber(number)) return false;
    const auto value = link_.QueryValue(command::ModemRow(number, code));
    if (!value) return false;
    if (code >= 0 && code <= 7)
        return ParseModemRow(*value, into.down[static_cast<std::size_t>(code)]);
    if (code >= 10 && code <= 13)
        return ParseModemUpstreamRow(*value, into.up[static_cast<std::size_t>(code - 10)]);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Whole loggers

Outcome<LoggerKindShown> LoggerFetcher::FetchLogger(const LoggerIndexRow& row, LoggerList list,
                                                    LoggerRecords& records) {
    if (!link_.FindIOInterface()) return Failure::NoInstrument;
    if (list == LoggerList::Tv) return GetTvLogger(row, records.tv);
    const auto kind = GetLoggerKind(row.number);
    if (!kind) return Failure::BadAnswer;
    return *kind == 0 ? GetModemLogger(row, records.modem) : GetDownLogger(row, records.down);
}

Outcome<LoggerKindShown> LoggerFetcher::GetTvLogger(const LoggerIndexRow& row, TvLogger& tv) {
    const auto header = GetTvHeader(row.number);
    if (!header) return Failure::BadAnswer;
    tv.records.assign(static_cast<std::size_t>(header->recordCount), TvRecord{});
    for (std::size_t k = 0; k < tv.records.size(); ++k)
        tv.records[k][0] = std::to_string(k + 1);
    TakeIndexRow(row, tv);
    tv.planName = header->planName;
    tv.noiseMode = texts_.text(text::kFirstNoiseModeText + header->noiseMode);
    tv.noiseFrequency = HzToMHzText(header->noiseFrequencyHz);
    tv.threshold = std::to_string(header->thresholdTenths / 10);
    for (int k = 0; k < header->recordCount; ++k) {
        if (!GetTvRecord(row.number, k, tv.records[static_cast<std::size_t>(k)]))
            return Failure::BadRecord;
    }
    tv.fileName.clear();
    return kShowTv;
}

Outcome<LoggerKindShown> LoggerFetcher::GetDownLogger(const LoggerIndexRow& row, DownLogger& down) {
    if (!GetDownHeader(row.number, down)) return Failure::BadAnswer;
    TakeIndexRow(row, down);
    down.channel = down.channel.substr(0, 4);
    down.planName =
        !down.channel.empty() && down.channel[0] == '-' ? "----" : down.planName.substr(0, 5);
    NumberFixedRows(down);
    for (int d = 0; d < 8; ++d) {
        if (!GetDownRow(row.number, d, down)) return Failure::BadRecord;
    }
    down.fileName.clear();
    return kShowDown;
}

Outcome<LoggerKindShown> LoggerFetcher::GetModemLogger(const LoggerIndexRow& row,
                                                       ModemLogger& modem) {
    TakeIndexRow(row, modem);
    NumberFixedRows(modem);
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13}) {
        if (!GetModemRow(row.number, code, modem)) return Failure::BadRecord;
    }
    modem.fileName.clear();
    return kShowModem;
}

}  // namespace veltra
