#include "channelplans/ChannelRecord.h"

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

std::string ChannelAnswerToLine(std::string_view answer) {
    if (answer.empty()) return "error";
    const std::string_view rest = answer.substr(1);
    const std::size_t amp = rest.find('&');
    if (amp == std::string_view::npos) return "error";
    const std::string_view name = rest.substr(0, amp);
    const auto parts = SplitAmpersands(rest.substr(amp + 1));
    if (parts.size() < 9) return "error";
    std::array<std::optional<long long>, 9> v;
    for (std::size_t i = 0; i < 9; ++i)
        v[i] = ParseDecimal(parts[i]);
    const auto& [frequency, bandwidth, offset, type, system, modulation, symbolRate, group, flag] =
        v;
    if (!IsChannelFrequency(frequency)) return "error";
    if (!IsChannelBandwidth(bandwidth)) return "error";
    if (!IsChannelOffset(offset)) return "error";
    if (!type) return "error";
    const bool digital = (*type % 2) != 0;
    if (!digital) {
        if (!InRange(system, 0, 17)) return "error";
    } else {
        if (!InRange(system, 0, 2)) return "error";
        if (!InRange(modulation, 0, 7)) return "error";
        if (!InRange(symbolRate, 1000, 7200)) return "error";
        if (!InRange(group, 0, 10)) return "error";
        if (!InRange(flag, 0, 1)) return "error";
    }
    // An analog channel's group and flag are carried unchecked; unreadable ones count as 0.
    const long long groupValue = group.value_or(0);
    const long long flagValue = flag.value_or(0);
    std::string line = ",";
    line += name;
    line += "," + std::to_string(*frequency) + "," + std::to_string(*bandwidth) + "," +
            std::to_string(*offset);
    line += digital ? ",DIGITAL" : ",ANALOG";
    line += *type >= 128 ? ",ON," : ",OFF,";
    line += digital ? kDigitalSystems[static_cast<std::size_t>(*system)]
                    : kAnalogSystems[static_cast<std::size_t>(*system)];
    if (digital) {
        line += ",";
        line += kModulations[static_cast<std::size_t>(*modulation)];
        line += "," + std::to_string(*symbolRate);
    }
    line += "," + (groupValue == 0 ? std::string("NO GROUP") : std::to_string(groupValue));
    line += flagValue != 0 ? ",YES" : ",NO";
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
        previousFrequency_ = 4999999;
    }
    const std::size_t lineFeed = line.find('\n');
    if (lineFeed != std::string_view::npos) line = line.substr(0, lineFeed);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t pos = 0;
    // Every field ends at the next ","; the last one at the end of the line.
    auto field = [&](bool last = false) {
        if (pos > line.size()) return std::string_view{};
        const std::size_t end = last ? line.size() : line.find(',', pos);
        const std::string_view text =
            line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? line.size() + 1 : end + 1;
        return text;
    };

    std::string out;
    const std::string_view indexText = field();
    const auto index = ParseDecimal(indexText);
    if (!InRange(index, 0, kMaxChannels)) return "error01";
    if (*index <= previousIndex_) return "error02";
    previousIndex_ = *index;
    out += ZeroPadded(*index, 3);

    const std::string_view name = field();
    if (name.find('&') != std::string_view::npos) return "error16";
    out += "&";
    out += name;

    const std::string_view frequencyText = field();
    const auto frequency = ParseDecimal(frequencyText);
    if (!IsChannelFrequency(frequency)) return "error03";
    if (*frequency <= previousFrequency_) return "error04";
    previousFrequency_ = *frequency;
    out += "&";
    out += frequencyText;

    const std::string_view bandwidthText = field();
    if (!IsChannelBandwidth(ParseDecimal(bandwidthText))) return "error05";
    out += "&";
    out += bandwidthText;

    const std::string_view offsetText = field();
    if (!IsChannelOffset(ParseDecimal(offsetText))) return "error06";
    out += "&";
    out += offsetText;

    const std::string_view kind = field();
    if (kind != "DIGITAL" && kind != "ANALOG") return "error07";
    const bool digital = kind == "DIGITAL";
    const std::string_view active = field();
    if (active != "ON" && active != "OFF") return "error08";
    out += "&" + std::to_string(TypeCode(digital, active == "ON"));

    const std::string_view system = field();
    const int systemCode =
        digital ? CodeOf(kDigitalSystems, system) : CodeOf(kAnalogSystems, system);
    if (systemCode < 0) return digital ? "error09" : "error10";
    out += "&" + std::to_string(systemCode);

    out += "&";
    if (digital) {
        const int modulation = CodeOf(kModulations, field());
        if (modulation < 0) return "error11";
        out += std::to_string(modulation);
    } else {
        out += "2";
    }

    out += "&";
    if (digital) {
        const std::string_view symbolRate = field();
        if (!InRange(ParseDecimal(symbolRate), 1000, 7200)) return "error12";
        out += symbolRate;
    } else {
        out += "6875";
    }

    out += "&";
    const std::string_view group = field();
    if (group == "NO GROUP") {
        out += "00";
    } else {
        const auto value = ParseDecimal(group);
        if (!InRange(value, 1, 10)) return "error13";
        out += ZeroPadded(*value, 2);
    }

    out += "&";
    const std::string_view flag = field(true);
    if (flag == "NO") {
        out += "00";
    } else if (flag == "YES") {
        out += "01";
    } else {
        return "error14";
    }
    // Never cut a channel command: the instrument would store whatever the cut left.
    if (out.size() > kMaxChannelPayload) return std::string(kTooLongMarker);
    return out;
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

std::string LocalPlanCopyPath(const std::string& folder, const std::string& planName) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path.push_back('/');
    return path + SafeFileName(planName) + ".temp";
}

}  // namespace veltra
