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
    return true;
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
    return true;
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

int ReadLoggerText(const std::string& content, const std::string& path, LoggerRecords& records) {
    // Header values are taken as whole lines, so empty values and values with blanks read back
    // in place; table lines are cut to 198 characters.
    TextLineReader lines(content);
    const std::string first = lines.next(100000).value_or("");
    std::size_t start = first.find_first_not_of(" \t");
    const char kind = start == std::string::npos ? '\0' : first[start];
    auto tableLine = [&]() { return lines.next(100000); };
    auto cut = [](std::string line) {
        if (line.size() > kMaxTableLine) line.resize(kMaxTableLine);
        return line;
    };

    if (kind == '0') {
        TvLogger& tv = records.tv;
        tv.fileName = path;
        TvLogger read;
        read.name = Header(lines.next(100000));
        read.planName = Header(lines.next(100000));
        read.date = Header(lines.next(100000));
        read.time = Header(lines.next(100000));
        read.noiseMode = Header(lines.next(100000));
        const long long frequency = LeadingInteger(lines.next(100000).value_or(""));
        const long long threshold = LeadingInteger(lines.next(100000).value_or(""));
        const long long count = std::max(0LL, LeadingInteger(lines.next(100000).value_or("")));
        if (count > kMaxTvRecords) return -14;
        tv.name = read.name;
        tv.planName = read.planName;
        tv.date = read.date;
        tv.time = read.time;
        tv.noiseMode = read.noiseMode;
        tv.noiseFrequency = HzToMHzText(frequency);
        tv.threshold = std::to_string(threshold / 10);
        tv.records.assign(static_cast<std::size_t>(count), TvRecord{});
        for (std::size_t k = 1; k <= tv.records.size(); ++k) {
            TvRecord& record = tv.records[k - 1];
            record[0] = std::to_string(k);
            const auto line = tableLine();
            const int bad = static_cast<int>(k) * 1000;
            if (!line) return bad + 20;  // the file ends early
            const std::vector<std::string> f = SplitLine(cut(*line), 12);
            if (!InRange(ParseDecimal(f[0]), 0, 149)) return bad + 20;
            record[1] = f[1];
            const auto frequency = MHzWithin(ParseDecimal(f[2]), IsChannelFrequency);
            if (!frequency) return bad + 22;
            const auto bandwidth = MHzWithin(ParseDecimal(f[3]), IsChannelBandwidth);
            if (!bandwidth) return bad + 23;
            const auto offset = MHzWithin(ParseDecimal(f[4]), IsChannelOffset);
            if (!offset) return bad + 24;
            record[2] = *frequency;
            record[3] = *bandwidth;
            record[4] = *offset;
            if (f[5] != "DIGITAL" && f[5] != "ANALOG") return bad + 25;
            for (std::size_t column = 5; column <= 11; ++column)
                record[column] = f[column];
            // What the instrument never sends, and a line that would no longer fit once its
            // record is renumbered: refused here rather than saved as a file that does not open.
            if (!IsPrintableText(record[1]) ||
                TvRecordFileLine(k - 1, record).size() > kMaxTableLine)
                return bad + 21;
        }
        return 1;
    }
    if (kind == '1') {
        DownLogger& d = records.down;
        d.fileName = path;
        std::string* header[] = {&d.name, &d.date, &d.time, &d.channel, &d.planName, &d.system};
        for (std::string* value : header)
            *value = Header(lines.next(100000));
        d.version = Header(lines.next(100000), kMaxVersionValue);
        std::string* values[] = {&d.frequency, &d.modulation, &d.symbolRate,   &d.offset,
                                 &d.power,     &d.mer,        &d.interleaverI, &d.interleaverJ,
                                 &d.preBer,    &d.postBer};
        for (std::string* value : values)
            *value = Header(lines.next(100000));
        NumberFixedRows(d);
        for (std::size_t row = 0; row < d.rows.size(); ++row) {
            const auto line = tableLine();
            if (!line) return static_cast<int>(row + 1) * 1000 + 20;
            const std::vector<std::string> f = SplitLine(cut(*line), 4);
            for (std::size_t column = 1; column <= 4; ++column)
                d.rows[row][column] = f[column - 1];
        }
        return 2;
    }
    if (kind == '2') {
        ModemLogger& m = records.modem;
        m.fileName = path;
        m.name = Header(lines.next(100000));
        m.date = Header(lines.next(100000));
        m.time = Header(lines.next(100000));
        NumberFixedRows(m);
        for (std::size_t row = 0; row < m.down.size(); ++row) {
            const auto line = tableLine();
            if (!line) return static_cast<int>(row + 1) * 1000 + 20;
            const std::vector<std::string> f = SplitLine(cut(*line), 6);
            for (std::size_t column = 1; column <= 6; ++column)
                m.down[row][column] = f[column - 1];
        }
        for (std::size_t row = 0; row < m.up.size(); ++row) {
            const auto line = tableLine();
            if (!line) return static_cast<int>(row + 9) * 1000 + 20;
            const std::vector<std::string> f = SplitLine(cut(*line), 7);
            for (std::size_t column = 1; column <= 7; ++column)
                m.up[row][column] = f[column - 1];
        }
        return 3;
    }
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
