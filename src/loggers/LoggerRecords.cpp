#include "loggers/LoggerRecords.h"

#include <algorithm>

#include "channelplans/ChannelRecord.h"

namespace veltra {

namespace {

// A value in hertz as a TV record holds it, MHz with two decimals, when that text still keeps
// to `rule` once written back in hertz: 9999799 Hz shows as "10.00", which is 10000000 Hz, and a
// file holding that would no longer open.
std::optional<std::string> MHzWithin(std::optional<long long> hz,
                                     bool (*rule)(std::optional<long long>)) {
    if (!rule(hz)) return std::nullopt;
    std::string text = HzToMHzText(*hz);
    if (!rule(MHzTextToHz(text))) return std::nullopt;
    return text;
}

constexpr std::size_t kMaxHeaderValue = 31;
constexpr std::size_t kMaxVersionValue = 30;
constexpr std::size_t kMaxTableLine = 198;

// Reads "&"-separated fields after the first "&" of a value (which must outlive it).
class Fields {
  public:
    explicit Fields(const std::string& value) : fields_(AfterFirstAmpersand(value), '&') {}
    std::string next() { return std::string(fields_.next()); }
    std::string rest() { return std::string(fields_.rest()); }

  private:
    static std::string_view AfterFirstAmpersand(const std::string& value) {
        const std::size_t amp = value.find('&');
        return amp == std::string::npos ? std::string_view()
                                        : std::string_view(value).substr(amp + 1);
    }
    FieldSplitter fields_;
};

template <std::size_t N>
std::string WordOrUnknown(const std::array<std::string_view, N>& words,
                          std::optional<long long> code) {
    if (!code || *code < 0 || *code >= static_cast<long long>(N)) return "???";
    return std::string(words[static_cast<std::size_t>(*code)]);
}

std::string Join(const std::string* first, const std::string* last) {
    std::string line;
    for (const std::string* field = first; field != last; ++field) {
        if (field != first) line += ",";
        line += *field;
    }
    return line;
}

// Splits a table line at ","; the last of `count` parts takes the rest of the line.
std::vector<std::string> SplitLine(const std::string& line, std::size_t count) {
    FieldSplitter fields(line, ',');
    std::vector<std::string> parts;
    for (std::size_t i = 0; i + 1 < count; ++i)
        parts.emplace_back(fields.next());
    parts.emplace_back(fields.rest());
    return parts;
}

std::string Header(std::optional<std::string> line, std::size_t limit = kMaxHeaderValue) {
    std::string value = line.value_or("");
    if (value.size() > limit) value.resize(limit);
    return value;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Measured values

namespace {

// How far `text` goes as a measured value: whole, cut inside one (it could go on into one: "",
// "<", "60.", "1.0E-", and "60" where decimals are due), or something else the instrument wrote.
enum class ValueText { Whole, Cut, Other };

ValueText ReadValueText(std::string_view text, bool decimals) {
    if (!text.empty() && text.find_first_not_of("-.") == std::string_view::npos &&
        text.find('-') != std::string_view::npos)
        return ValueText::Whole;  // dashes: nothing measured
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > from;
    };
    auto at = [&](std::string_view characters) {
        return i < text.size() && characters.find(text[i]) != std::string_view::npos;
    };
    if (at("<>")) ++i;
    if (at("-+")) ++i;
    if (!digits()) return i == text.size() ? ValueText::Cut : ValueText::Other;
    bool fraction = false, exponent = false;
    if (at(".")) {
        ++i;
        if (!digits()) return i == text.size() ? ValueText::Cut : ValueText::Other;
        fraction = true;
    }
    if (at("Ee")) {
        ++i;
        if (at("-+")) ++i;
        if (!digits()) return i == text.size() ? ValueText::Cut : ValueText::Other;
        exponent = true;
    }
    if (i < text.size()) return ValueText::Other;
    return !decimals || fraction || exponent ? ValueText::Whole : ValueText::Cut;
}

constexpr std::string_view kUpstreamModulations[] = {
    "QPSK",   "BPSK", "8PSK",  "8QAM",  "16QAM", "32QAM",  "64QAM",  "128QAM",
    "256QAM", "QAM8", "QAM16", "QAM32", "QAM64", "QAM128", "QAM256",
};

}  // namespace

bool IsWholeValue(std::string_view text, bool decimals) {
    return ReadValueText(text, decimals) != ValueText::Cut;
}

bool IsWholeModulation(std::string_view text) {
    if (ReadValueText(text, false) == ValueText::Whole &&
        text.find_first_of("0123456789") == std::string_view::npos)
        return true;  // dashes
    bool cut = false;
    for (std::string_view word : kUpstreamModulations) {
        if (text == word) return true;
        cut = cut || word.substr(0, text.size()) == text;
    }
    return !cut;
}

// ---------------------------------------------------------------------------------------------
// Answers

std::array<bool, kMaxLoggers> ParsePresence(const std::string& value, LoggerList list) {
    std::array<bool, kMaxLoggers> present{};
    const int characters = list == LoggerList::Tv ? 9 : 5;
    for (int i = 0; i < characters && i < static_cast<int>(value.size()); ++i) {
        const auto bits = static_cast<unsigned char>(value[static_cast<std::size_t>(i)]);
        for (int bit = 0; bit < 6; ++bit) {
            const int logger = 6 * i + bit;
            if (logger >= LoggersInList(list)) break;
            if (bits & (1u << bit)) present[static_cast<std::size_t>(logger)] = true;
        }
    }
    return present;
}

LoggerIndexEntry ParseIndexEntry(const std::string& value) {
    LoggerIndexEntry entry;
    entry.present = true;
    entry.number = static_cast<int>(LeadingInteger(value.substr(0, 2)));
    entry.time = value.size() > 2 ? value.substr(2, 8) : "";
    entry.date = value.size() > 10 ? value.substr(10, 10) : "";
    entry.name = value.size() > 20 ? value.substr(20) : "";
    return entry;
}

std::optional<TvHeader> ParseTvHeader(const std::string& value) {
    Fields fields(value);
    TvHeader header;
    header.planName = fields.next();
    const auto count = ParseDecimal(fields.next());
    const auto mode = ParseDecimal(fields.next());
    const auto frequency = ParseDecimal(fields.next());
    const auto threshold = ParseDecimal(fields.rest());
    // Every fetched logger must fit a logger file: at most 150 records.
    if (!InRange(count, 0, kMaxTvRecords) || !InRange(mode, 0, 2) || !frequency || !threshold)
        return std::nullopt;
    header.recordCount = static_cast<int>(*count);
    header.noiseMode = static_cast<int>(*mode);
    header.noiseFrequencyHz = *frequency;
    header.thresholdTenths = *threshold;
    return header;
}

int ParseTvRecord(const std::string& value, TvRecord& record) {
    if (value.empty() || (value[0] != '0' && value[0] != '1')) return 10;
    const bool digital = value[0] == '1';
    Fields fields(value);
    const std::string name = fields.next();
    const auto frequency = ParseDecimal(fields.next());
    const auto offset = ParseDecimal(fields.next());
    const auto bandwidth = ParseDecimal(fields.next());
    const auto system = ParseDecimal(fields.next());
    const std::string field5 = fields.next();
    const std::string field6 = fields.next();
    const std::string field7 = fields.next();
    const std::string field8 = digital ? fields.next() : std::string();
    std::string remainder = fields.rest();
    const auto frequencyText = MHzWithin(frequency, IsChannelFrequency);
    if (!frequencyText) return 11;
    const auto offsetText = MHzWithin(offset, IsChannelOffset);
    if (!offsetText) return 12;
    const auto bandwidthText = MHzWithin(bandwidth, IsChannelBandwidth);
    if (!bandwidthText) return 13;
    if (!field5.empty() && static_cast<unsigned char>(field5[0]) >= 0x80) return 14;
    if (!field6.empty() && static_cast<unsigned char>(field6[0]) >= 0x80) return 17;

    record[1] = name;
    record[2] = *frequencyText;
    record[3] = *bandwidthText;
    record[4] = *offsetText;
    if (digital) {
        record[5] = "DIGITAL";
        record[6] = field7;
        record[7] = WordOrUnknown(kDigitalSystems, system);
        record[8] = WordOrUnknown(kModulations, ParseDecimal(field5));
        record[9] = field6;
        record[10] = field8;
        record[11] = remainder;
    } else {
        record[5] = "ANALOG";
        record[6] = field6;
        record[7] = WordOrUnknown(kAnalogSystems, system);
        record[8] = field5;
        record[9] = field7;
        if (!remainder.empty()) remainder.pop_back();  // the C/N comes with one more character
        record[10] = remainder;
        record[11] = "";
    }
    // A digital channel's BER as the instrument writes it: it ends the record's file line, and a
    // logger saved from it must open again.
    if (digital && !IsWholeValue(record[11], false)) return 15;
    return 0;
}

int ParseLoggerKind(const std::string& value) {
    const std::size_t amp = value.find('&');
    if (amp == std::string::npos || amp + 1 >= value.size()) return -1;
    if (value[amp + 1] == '0') return 0;
    if (value[amp + 1] == '1') return 1;
    return -1;
}

bool ParseDownHeaderFirst(const std::string& value, DownLogger& logger) {
    if (value.empty() || value[0] != '1') return false;
    Fields fields(value);
    logger.channel = fields.next();
    logger.planName = fields.next();
    logger.frequency = fields.next();
    logger.system = fields.next();
    logger.version = fields.next();
    logger.modulation = fields.next();
    logger.symbolRate = fields.rest();
    return true;
}

bool ParseDownHeaderSecond(const std::string& value, DownLogger& logger) {
    if (value.empty() || value[0] != '1') return false;
    Fields fields(value);
    logger.power = fields.next();
    logger.mer = fields.next();
    logger.interleaverI = fields.next();
    logger.interleaverJ = fields.next();
    logger.offset = fields.next();
    logger.preBer = fields.next();
    logger.postBer = fields.rest();
    return true;
}

bool ParseDownRow(const std::string& value, std::array<std::string, 5>& row) {
    if (value.empty() || value[0] != '1') return false;
    Fields fields(value);
    row[1] = fields.next();
    row[2] = fields.next();
    row[3] = fields.next();
    fields.next();  // not shown
    row[4] = fields.rest();
    if (!row[1].empty() && row[1][0] == '-') row[2] = "----";
    return IsWholeValue(row[4], true);
}

bool ParseModemRow(const std::string& value, std::array<std::string, 7>& row) {
    if (value.empty() || value[0] != '0') return false;
    Fields fields(value);
    row[1] = fields.next();
    row[2] = fields.next();
    row[3] = fields.next();
    row[4] = fields.next();
    row[5] = fields.next();
    const std::string modulation = fields.rest();
    if (!row[1].empty() && row[1][0] == '-') row[2] = "----";
    row[6] = !modulation.empty() && modulation[0] == '-' ? modulation : "QAM" + modulation;
    return true;
}

bool ParseModemUpstreamRow(const std::string& value, std::array<std::string, 8>& row) {
    if (value.empty() || value[0] != '0') return false;
    Fields fields(value);
    for (std::size_t column = 1; column <= 6; ++column)
        row[column] = fields.next();
    row[7] = fields.rest();
    return IsWholeModulation(row[7]);
}

// ---------------------------------------------------------------------------------------------
// Files

namespace {

// The file line of record `k` (counted from 0): what the writer writes and the reader checks
// that it could write, so a file that opens saves and opens again.
std::string TvRecordFileLine(std::size_t k, const TvRecord& r) {
    return std::to_string(k) + "," + r[1] + "," + std::to_string(MHzTextToHz(r[2])) + "," +
           std::to_string(MHzTextToHz(r[3])) + "," + std::to_string(MHzTextToHz(r[4])) + "," +
           Join(&r[5], &r[5] + 7);
}

}  // namespace

bool TvLoggerFileText(const TvLogger& logger, std::string& text) {
    text = "0\r\n" + logger.name + "\r\n" + logger.planName + "\r\n" + logger.date + "\r\n" +
           logger.time + "\r\n" + logger.noiseMode + "\r\n" +
           std::to_string(MHzTextToHz(logger.noiseFrequency)) + "\r\n" + logger.threshold +
           "0\r\n" + std::to_string(logger.records.size());
    for (std::size_t k = 0; k < logger.records.size(); ++k) {
        const TvRecord& r = logger.records[k];
        if (r[5] != "DIGITAL" && r[5] != "ANALOG") return false;
        text += "\r\n" + TvRecordFileLine(k, r);
    }
    return true;
}

std::string DownLoggerFileText(const DownLogger& l) {
    const std::string header[] = {
        "1",      l.name,    l.date,         l.time,         l.channel,    l.planName,
        l.system, l.version, l.frequency,    l.modulation,   l.symbolRate, l.offset,
        l.power,  l.mer,     l.interleaverI, l.interleaverJ, l.preBer,     l.postBer};
    std::string text;
    for (const std::string& line : header)
        text += (text.empty() ? "" : "\r\n") + line;
    for (const auto& row : l.rows)
        text += "\r\n" + Join(&row[1], &row[1] + 4);
    return text;
}

std::string ModemLoggerFileText(const ModemLogger& l) {
    std::string text = "2\r\n" + l.name + "\r\n" + l.date + "\r\n" + l.time;
    for (const auto& row : l.down)
        text += "\r\n" + Join(&row[1], &row[1] + 6);
    for (const auto& row : l.up)
        text += "\r\n" + Join(&row[1], &row[1] + 7);
    return text;
}

void NumberFixedRows(ModemLogger& logger) {
    for (std::size_t i = 0; i < logger.down.size(); ++i)
        logger.down[i][0] = std::to_string(i + 1);
    for (std::size_t i = 0; i < logger.up.size(); ++i)
        logger.up[i][0] = std::to_string(i + 1);
}

void NumberFixedRows(DownLogger& logger) {
    for (std::size_t i = 0; i < logger.rows.size(); ++i)
        logger.rows[i][0] = std::to_string(i + 1);
}

namespace {

// The fields of a table line: exactly `count` of them, else none.
std::optional<std::vector<std::string>> AllFields(const std::string& line, std::size_t count) {
    if (static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1 != count)
        return std::nullopt;
    return SplitLine(line, count);
}

// Reads a logger file line by line and notes where it was refused.
class LoggerFileLines {
  public:
    LoggerFileLines(const std::string& content, LoggerFileError* error)
        : lines_(content), error_(error) {}
    // The next line; none after the end of the file.
    std::optional<std::string> next() {
        auto line = lines_.next(100000);
        if (line) ++number_;
        return line;
    }
    // A header line, which must be there.
    std::optional<std::string> header() {
        auto line = next();
        if (!line) refuse(LoggerFault::EndsInHeader, number_ + 1);
        return line;
    }
    // A header line holding a whole number.
    std::optional<long long> number() {
        const auto line = header();
        if (!line) return std::nullopt;
        const std::size_t first = line->find_first_not_of(' ');
        const std::size_t last = line->find_last_not_of(' ');
        const auto value =
            first == std::string::npos
                ? std::nullopt
                : ParseDecimal(std::string_view(*line).substr(first, last - first + 1));
        if (!value) refuse(LoggerFault::NotANumber, number_);
        return value;
    }
    int line() const { return number_; }
    void refuse(LoggerFault fault, int line) {
        fault_ = fault;
        if (error_) *error_ = {line, fault};
    }
    LoggerFault fault() const { return fault_; }
    // A table line of `count` fields; none (the reason noted) when the file ends before it or
    // it lacks fields.
    std::optional<std::vector<std::string>> row(std::size_t count) {
        auto line = next();
        if (!line) {
            refuse(LoggerFault::EndsEarly, number_ + 1);
            return std::nullopt;
        }
        if (line->size() > kMaxTableLine) line->resize(kMaxTableLine);
        auto fields = AllFields(*line, count);
        if (!fields) refuse(LoggerFault::FieldsMissing, number_);
        return fields;
    }

  private:
    TextLineReader lines_;
    LoggerFileError* error_;
    LoggerFault fault_ = LoggerFault::None;
    int number_ = 0;
};

}  // namespace

int ReadLoggerText(const std::string& content, const std::string& path, LoggerRecords& records,
                   LoggerFileError* error) {
    // Header values are taken as whole lines, so empty values and values with blanks read back
    // in place; table lines are cut to 198 characters. Every header line and every field of a
    // table must be there: a file cut short (an interrupted copy) is refused, never judged on
    // what is left of it.
    LoggerFileLines lines(content, error);
    const std::string first = lines.next().value_or("");
    std::size_t start = first.find_first_not_of(" \t");
    const char kind = start == std::string::npos ? '\0' : first[start];
    // A row of a table, made into a result: the row k (counted from 1) at error `e`.
    auto bad = [&](int row, int e, LoggerFault fault) {
        lines.refuse(fault, lines.line());
        return row * 1000 + e;
    };
    constexpr int kEndsEarly = 20, kFieldsMissing = 26, kBadValue = 27;
    auto missing = [&](int row) {
        return row * 1000 + (lines.fault() == LoggerFault::EndsEarly ? kEndsEarly : kFieldsMissing);
    };

    if (kind == '0') {
        TvLogger read;
        std::string* header[] = {&read.name, &read.planName, &read.date, &read.time,
                                 &read.noiseMode};
        for (std::string* value : header) {
            const auto line = lines.header();
            if (!line) return kHeaderIncomplete;
            *value = Header(line);
        }
        const auto frequency = lines.number();
        if (!frequency) return kHeaderIncomplete;
        const auto threshold = lines.number();
        if (!threshold) return kHeaderIncomplete;
        const auto count = lines.number();
        if (!count) return kHeaderIncomplete;
        if (*count < 0 || *count > kMaxTvRecords) {
            lines.refuse(LoggerFault::TooManyRecords, lines.line());
            return -14;
        }
        TvLogger& tv = records.tv;
        tv.fileName = path;
        tv.name = read.name;
        tv.planName = read.planName;
        tv.date = read.date;
        tv.time = read.time;
        tv.noiseMode = read.noiseMode;
        tv.noiseFrequency = HzToMHzText(*frequency);
        tv.threshold = std::to_string(*threshold / 10);
        tv.records.assign(static_cast<std::size_t>(*count), TvRecord{});
        for (std::size_t k = 1; k <= tv.records.size(); ++k) {
            TvRecord& record = tv.records[k - 1];
            record[0] = std::to_string(k);
            const int row = static_cast<int>(k);
            const auto f = lines.row(12);
            if (!f) return missing(row);
            if (!InRange(ParseDecimal((*f)[0]), 0, 149))
                return bad(row, 20, LoggerFault::BadRecord);
            record[1] = (*f)[1];
            const auto frequency = MHzWithin(ParseDecimal((*f)[2]), IsChannelFrequency);
            if (!frequency) return bad(row, 22, LoggerFault::BadRecord);
            const auto bandwidth = MHzWithin(ParseDecimal((*f)[3]), IsChannelBandwidth);
            if (!bandwidth) return bad(row, 23, LoggerFault::BadRecord);
            const auto offset = MHzWithin(ParseDecimal((*f)[4]), IsChannelOffset);
            if (!offset) return bad(row, 24, LoggerFault::BadRecord);
            record[2] = *frequency;
            record[3] = *bandwidth;
            record[4] = *offset;
            if ((*f)[5] != "DIGITAL" && (*f)[5] != "ANALOG")
                return bad(row, 25, LoggerFault::BadRecord);
            for (std::size_t column = 5; column <= 11; ++column)
                record[column] = (*f)[column];
            // What the instrument never sends, and a line that would no longer fit once its
            // record is renumbered: refused here rather than saved as a file that does not open.
            if (!IsPrintableText(record[1]) ||
                TvRecordFileLine(k - 1, record).size() > kMaxTableLine)
                return bad(row, 21, LoggerFault::BadRecord);
            // The last field, where a file cut inside the line ends: a digital channel's BER as
            // the instrument writes it, and nothing for an analog one.
            const bool digital = record[5] == "DIGITAL";
            if (digital ? !IsWholeValue(record[11], false) : !record[11].empty())
                return bad(row, kBadValue, LoggerFault::BadValue);
        }
        return 1;
    }
    if (kind == '1') {
        DownLogger read;
        std::string* header[] = {
            &read.name,   &read.date,    &read.time,      &read.channel,      &read.planName,
            &read.system, &read.version, &read.frequency, &read.modulation,   &read.symbolRate,
            &read.offset, &read.power,   &read.mer,       &read.interleaverI, &read.interleaverJ,
            &read.preBer, &read.postBer};
        for (std::string* value : header) {
            const auto line = lines.header();
            if (!line) return kHeaderIncomplete;
            *value = Header(line, value == &read.version ? kMaxVersionValue : kMaxHeaderValue);
        }
        NumberFixedRows(read);
        for (std::size_t row = 0; row < read.rows.size(); ++row) {
            const int shown = static_cast<int>(row + 1);
            const auto f = lines.row(4);
            if (!f) return missing(shown);
            for (std::size_t column = 1; column <= 4; ++column)
                read.rows[row][column] = (*f)[column - 1];
            if (!IsWholeValue(read.rows[row][4], true))
                return bad(shown, kBadValue, LoggerFault::BadValue);
        }
        read.fileName = path;
        records.down = std::move(read);
        return 2;
    }
    if (kind == '2') {
        ModemLogger read;
        for (std::string* value : {&read.name, &read.date, &read.time}) {
            const auto line = lines.header();
            if (!line) return kHeaderIncomplete;
            *value = Header(line);
        }
        NumberFixedRows(read);
        for (std::size_t row = 0; row < read.down.size(); ++row) {
            const int shown = static_cast<int>(row + 1);
            const auto f = lines.row(6);
            if (!f) return missing(shown);
            for (std::size_t column = 1; column <= 6; ++column)
                read.down[row][column] = (*f)[column - 1];
        }
        for (std::size_t row = 0; row < read.up.size(); ++row) {
            const int shown = static_cast<int>(row + 9);
            const auto f = lines.row(7);
            if (!f) return missing(shown);
            for (std::size_t column = 1; column <= 7; ++column)
                read.up[row][column] = (*f)[column - 1];
            if (!IsWholeModulation(read.up[row][7]))
                return bad(shown, kBadValue, LoggerFault::BadValue);
        }
        read.fileName = path;
        records.modem = std::move(read);
        return 3;
    }
    lines.refuse(LoggerFault::UnknownKind, 1);
    return -13;
}

std::string SaveAllAsPath(const std::string& chosen, const std::string& loggerName,
                          const std::string& extension) {
    const std::size_t slash = chosen.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.find('.', nameStart);
    const std::string base = dot == std::string::npos ? chosen : chosen.substr(0, dot);
    return base + "_" + SafeFileName(loggerName) + extension;
}

}  // namespace veltra
