#include "channelplans/ChannelRecord.h"

#include "text/Files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace veltra {

long long MHzTextToHz(const std::string& text) {
    double value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return 0;
    const double hz = value * 1000000.0;
    if (!std::isfinite(hz) || std::fabs(hz) > 9e18) return 0;
    return static_cast<long long>(hz);  // truncates toward zero
}

std::string HzToMHzText(long long hz) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(hz) * 0.000001);
    return text;
}

int TypeCode(bool digital, bool active) {
    return (active ? 128 : 0) + (digital ? 1 : 0);
}

std::optional<int> CountValue(std::string_view text, int max) {
    if (text.empty()) return 0;
    if (text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto value = ParseDecimal(text);
    if (!InRange(value, 0, max)) return std::nullopt;
    return static_cast<int>(*value);
}

ChannelWords SplitChannelLine(FieldSplitter& fields) {
    ChannelWords words;
    for (int w = kWordName; w <= kWordSystem; ++w)
        words[static_cast<std::size_t>(w)] = fields.next();
    if (words[kWordKind] == "DIGITAL") {
        words[kWordModulation] = fields.next();
        words[kWordSymbolRate] = fields.next();
    }
    words[kWordGroup] = fields.next();
    words[kWordGroupMember] = fields.rest();
    return words;
}

ChannelField ReadChannel(const ChannelWords& words, Channel& c, bool wireName,
                         long long frequencyAbove) {
    c.name = std::string(words[kWordName]);
    // What would split or cut the command: its separator, and control bytes (the instrument
    // reads a name up to a NUL and keeps what follows as other fields).
    if (wireName && std::any_of(c.name.begin(), c.name.end(), [](char ch) {
            const auto b = static_cast<unsigned char>(ch);
            return ch == '&' || b < 0x20 || b == 0x7F;
        }))
        return ChannelField::Name;
    const auto frequency = ParseDecimal(words[kWordFrequency]);
    if (!IsChannelFrequency(frequency)) return ChannelField::Frequency;
    if (*frequency <= frequencyAbove) return ChannelField::FrequencyOrder;
    c.frequency = *frequency;
    const auto bandwidth = ParseDecimal(words[kWordBandwidth]);
    if (!IsChannelBandwidth(bandwidth)) return ChannelField::Bandwidth;
    c.bandwidth = *bandwidth;
    const auto offset = ParseDecimal(words[kWordOffset]);
    if (!IsChannelOffset(offset)) return ChannelField::Offset;
    c.offset = *offset;
    const std::string_view kind = words[kWordKind];
    if (kind != "DIGITAL" && kind != "ANALOG") return ChannelField::Kind;
    c.digital = kind == "DIGITAL";
    const std::string_view active = words[kWordActive];
    if (active != "ON" && active != "OFF") return ChannelField::Active;
    c.active = active == "ON";
    const std::string_view system = words[kWordSystem];
    c.system = c.digital ? CodeOf(kDigitalSystems, system) : CodeOf(kAnalogSystems, system);
    if (c.system < 0) return ChannelField::System;
    c.modulation = 2;
    c.symbolRate = 6875;
    if (c.digital) {
        c.modulation = CodeOf(kModulations, words[kWordModulation]);
        if (c.modulation < 0) return ChannelField::Modulation;
        const auto symbolRate = WholeNumber(words[kWordSymbolRate]);
        if (!InRange(symbolRate, 1000, 7200)) return ChannelField::SymbolRate;
        c.symbolRate = *symbolRate;
    }
    const std::string_view group = words[kWordGroup];
    if (group != "NO GROUP") {
        const auto value = WholeNumber(group);
        if (!InRange(value, 1, 10)) return ChannelField::Group;
        c.group = static_cast<int>(*value);
    } else {
        c.group = 0;
    }
    const std::string_view member = words[kWordGroupMember];
    if (member != "YES" && member != "NO") return ChannelField::GroupMember;
    c.groupMember = member == "YES";
    return ChannelField::None;
}

std::string ChannelFileLine(int index, const Channel& c) {
    std::string line = std::to_string(index) + "," + c.name + "," + std::to_string(c.frequency) +
                       "," + std::to_string(c.bandwidth) + "," + std::to_string(c.offset);
    line += c.digital ? ",DIGITAL" : ",ANALOG";
    line += c.active ? ",ON," : ",OFF,";
    line += c.digital ? kDigitalSystems[static_cast<std::size_t>(c.system)]
                      : kAnalogSystems[static_cast<std::size_t>(c.system)];
    if (c.digital) {
        line += ",";
        line += kModulations[static_cast<std::size_t>(c.modulation)];
        line += "," + std::to_string(c.symbolRate);
    }
    line += "," + (c.group == 0 ? std::string("NO GROUP") : std::to_string(c.group));
    line += c.groupMember ? ",YES" : ",NO";
    return line;
}

std::string ChannelPayload(int index, const Channel& c) {
    return ZeroPadded(index, 3) + "&" + c.name + "&" + std::to_string(c.frequency) + "&" +
           std::to_string(c.bandwidth) + "&" + std::to_string(c.offset) + "&" +
           std::to_string(TypeCode(c.digital, c.active)) + "&" + std::to_string(c.system) + "&" +
           std::to_string(c.digital ? c.modulation : 2) + "&" +
           std::to_string(c.digital ? c.symbolRate : 6875) + "&" + ZeroPadded(c.group, 2) + "&" +
           (c.groupMember ? "01" : "00");
}

namespace {

// The instrument's answer as a channel: empty when a value is out of its range. An analog
// channel's modulation and symbol rate are not read; its group and flag are carried unchecked,
// unreadable ones counting as 0.
std::optional<Channel> ChannelFromAnswer(std::string_view answer) {
    if (answer.empty()) return std::nullopt;
    const std::string_view rest = answer.substr(1);
    const std::size_t amp = rest.find('&');
    if (amp == std::string_view::npos) return std::nullopt;
    const auto parts = SplitAmpersands(rest.substr(amp + 1));
    if (parts.size() < 9) return std::nullopt;
    std::array<std::optional<long long>, 9> v;
    for (std::size_t i = 0; i < 9; ++i)
        v[i] = ParseDecimal(parts[i]);
    const auto& [frequency, bandwidth, offset, type, system, modulation, symbolRate, group, flag] =
        v;
    if (!IsChannelFrequency(frequency) || !IsChannelBandwidth(bandwidth) ||
        !IsChannelOffset(offset) || !type)
        return std::nullopt;
    Channel c;
    c.name = std::string(rest.substr(0, amp));
    c.frequency = *frequency;
    c.bandwidth = *bandwidth;
    c.offset = *offset;
    c.digital = (*type % 2) != 0;
    c.active = *type >= 128;
    if (!InRange(system, 0, c.digital ? 2 : 17)) return std::nullopt;
    c.system = static_cast<int>(*system);
    if (c.digital) {
        if (!InRange(modulation, 0, 7) || !InRange(symbolRate, 1000, 7200) ||
            !InRange(group, 0, 10) || !InRange(flag, 0, 1))
            return std::nullopt;
        c.modulation = static_cast<int>(*modulation);
        c.symbolRate = *symbolRate;
    }
    // An unchecked analog group outside int fails the write-back check below all the same.
    c.group = static_cast<int>(std::clamp<long long>(group.value_or(0), -1, 1000));
    c.groupMember = flag.value_or(0) != 0;
    return c;
}

}  // namespace

std::string ChannelAnswerToLine(std::string_view answer) {
    const auto channel = ChannelFromAnswer(answer);
    if (!channel) return "error";
    std::string line = ChannelFileLine(0, *channel).substr(1);
    // Reading and writing agree: a channel is accepted only when its copy line can go back to
    // the instrument (an analog group outside 1..10, a name holding "," or "&", a channel too
    // long for one command would make the delete's write-back fail).
    PayloadConverter writeBack;
    if (IsErrorMarker(writeBack.ChannelLineToPayload("0" + line, true))) return "error";
    return line;
}

std::string PayloadConverter::ChannelLineToPayload(std::string_view line, bool first) {
    if (first) {
        previousIndex_ = -1;
        previousFrequency_ = kMinFrequency - 1;
    }
    const std::size_t lineFeed = line.find('\n');
    if (lineFeed != std::string_view::npos) line = line.substr(0, lineFeed);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    FieldSplitter fields(line, ',');
    const auto index = ParseDecimal(fields.next());
    if (!InRange(index, 0, kMaxChannels)) return "error01";
    if (*index <= previousIndex_) return "error02";
    previousIndex_ = *index;

    Channel channel;
    switch (ReadChannel(SplitChannelLine(fields), channel, true, previousFrequency_)) {
        case ChannelField::Name:
            return "error16";
        case ChannelField::Frequency:
            return "error03";
        case ChannelField::FrequencyOrder:
            return "error04";
        case ChannelField::Bandwidth:
            return "error05";
        case ChannelField::Offset:
            return "error06";
        case ChannelField::Kind:
            return "error07";
        case ChannelField::Active:
            return "error08";
        case ChannelField::System:
            return channel.digital ? "error09" : "error10";
        case ChannelField::Modulation:
            return "error11";
        case ChannelField::SymbolRate:
            return "error12";
        case ChannelField::Group:
            return "error13";
        case ChannelField::GroupMember:
            return "error14";
        case ChannelField::None:
            break;
    }
    previousFrequency_ = channel.frequency;
    std::string payload = ChannelPayload(static_cast<int>(*index), channel);
    // Never cut a channel command: the instrument would store whatever the cut left.
    if (payload.size() > kMaxChannelPayload) return std::string(kTooLongMarker);
    return payload;
}

std::string FormatPlanFile(const std::string& name, const std::vector<std::string>& lines) {
    std::string text = name + "\r\n" + std::to_string(lines.size());
    for (const std::string& line : lines)
        text += "\r\n" + line;
    return text;
}

PlanFileReader::PlanFileReader(std::string content) : lines_(std::move(content)) {
    name_ = lines_.next(std::string::npos).value_or("");
    const std::string countLine = lines_.next(std::string::npos).value_or("");
    std::size_t pos = 0;
    while (pos < countLine.size() && (countLine[pos] == ' ' || countLine[pos] == '\t'))
        ++pos;
    std::size_t end = pos;
    if (end < countLine.size() && (countLine[end] == '-' || countLine[end] == '+')) ++end;
    while (end < countLine.size() && std::isdigit(static_cast<unsigned char>(countLine[end])))
        ++end;
    // The rest of line 2 is skipped.
    count_ = static_cast<int>(std::clamp<long long>(
        ParseDecimal(std::string_view(countLine).substr(pos, end - pos)).value_or(0), 0, 100000));
}

std::string PlanFileReader::nextLine() {
    return lines_.next().value_or("");
}

bool IsPlanName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxPlanName && IsPrintableText(name);
}

bool IsPlanFileShape(const std::string& content) {
    TextLineReader lines(content);
    if (!IsPlanName(lines.next(std::string::npos).value_or(""))) return false;
    const std::string countLine = lines.next(std::string::npos).value_or("");
    const std::size_t first = countLine.find_first_not_of(" \t");
    const std::size_t last = countLine.find_last_not_of(" \t");
    if (first == std::string::npos) return false;
    const auto count =
        CountValue(std::string_view(countLine).substr(first, last - first + 1), kMaxChannels);
    if (!count) return false;
    int channelLines = 0;
    int blankRun = 0;  // blank lines not yet followed by a channel line
    while (const auto line = lines.next(std::string::npos)) {
        if (line->find_first_not_of(" \t") == std::string::npos) {
            ++blankRun;
            continue;
        }
        if (line->size() > 199) return false;
        channelLines += blankRun + 1;
        blankRun = 0;
    }
    return channelLines == *count;
}

namespace {
constexpr const char* kNoteHeading = "VELTRA-52 channel plans to send back";
}  // namespace

std::string FormatWriteBackNote(const std::vector<std::string>& planFiles) {
    std::string note = std::string(kNoteHeading) + "\r\n" + std::to_string(planFiles.size());
    for (const std::string& plan : planFiles)
        note += "\r\n" + std::to_string(plan.size()) + "\r\n" + plan;
    return note + "\r\nend";
}

std::optional<std::vector<std::string>> ReadWriteBackNote(const std::string& note) {
    // Each plan's text is counted in bytes: its own line breaks are its own.
    std::size_t pos = 0;
    auto line = [&]() -> std::optional<std::string> {
        const std::size_t end = note.find("\r\n", pos);
        if (end == std::string::npos) return std::nullopt;
        std::string text = note.substr(pos, end - pos);
        pos = end + 2;
        return text;
    };
    if (line() != kNoteHeading) return std::nullopt;
    const auto count = line();
    const auto plans = count ? CountValue(*count, kMaxPlans) : std::nullopt;
    if (!plans) return std::nullopt;
    std::vector<std::string> files;
    for (int k = 0; k < *plans; ++k) {
        const auto size = line();
        const auto bytes = size ? WholeNumber(*size) : std::nullopt;
        if (!bytes || *bytes > static_cast<long long>(note.size() - pos)) return std::nullopt;
        files.push_back(note.substr(pos, static_cast<std::size_t>(*bytes)));
        pos += static_cast<std::size_t>(*bytes);
        if (note.compare(pos, 2, "\r\n") != 0) return std::nullopt;
        pos += 2;
    }
    if (note.substr(pos) != "end") return std::nullopt;
    return files;
}

std::string LocalPlanCopyPath(const std::string& folder, const std::vector<std::string>& planNames,
                              std::size_t slot) {
    DistinctFileNames names;
    std::string name;
    for (std::size_t k = 0; k <= slot && k < planNames.size(); ++k)
        name = names.take(SafeFileName(planNames[k]), ".temp");
    return WithSeparator(folder) + name;
}

}  // namespace veltra
