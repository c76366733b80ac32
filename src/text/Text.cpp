#include "text/Text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace veltra {

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool InRange(std::optional<long long> value, long long low, long long high) {
    return value && *value >= low && *value <= high;
}

std::string ZeroPadded(long long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::vector<std::string_view> SplitAmpersands(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t amp = text.find('&', start);
        parts.push_back(text.substr(start, amp == std::string_view::npos ? amp : amp - start));
        if (amp == std::string_view::npos) break;
        start = amp + 1;
    }
    return parts;
}

std::string_view FieldSplitter::next() {
    if (pos_ > text_.size()) return {};
    const std::size_t end = text_.find(separator_, pos_);
    const std::string_view field =
        text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
    pos_ = end == std::string_view::npos ? text_.size() + 1 : end + 1;
    return field;
}

std::string_view FieldSplitter::rest() {
    if (pos_ > text_.size()) return {};
    const std::string_view remainder = text_.substr(pos_);
    pos_ = text_.size() + 1;
    return remainder;
}

std::optional<long long> WholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return ParseDecimal(text);
}

long long LeadingInteger(const std::string& text) {
    long long value = 0;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 18) {
        value = value * 10 + (text[i++] - '0');
        ++digits;
    }
    return negative ? -value : value;
}

std::optional<long long> ParseDecimal(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
    return value;
}

bool IsPrintableText(std::string_view text) {
    if (!IsValidUtf8(std::string(text))) return false;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const auto b = static_cast<unsigned char>(text[pos]);
        if (b < 0x20 || b == 0x7F) return false;
        // C1 controls, U+0080..U+009F, are 0xC2 0x80..0x9F.
        if (b == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0) return false;
    }
    return true;
}

std::optional<std::string> TextLineReader::next(std::size_t maxLength) {
    if (pos_ >= content_.size()) return std::nullopt;
    const std::size_t lineFeed = content_.find('\n', pos_);
    const std::size_t lineEnd = lineFeed == std::string::npos ? content_.size() : lineFeed;
    const std::size_t end = lineEnd - pos_ <= maxLength ? lineEnd : pos_ + maxLength;
    std::string line = content_.substr(pos_, end - pos_);
    pos_ = end == lineEnd ? lineEnd + 1 : end;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string SafeFileName(const std::string& name) {
    std::string safe;
    // UTF-8 on every system: a Latin-1 name from other software becomes its letters.
    for (char c : BytesToUtf8(name)) {
        const auto b = static_cast<unsigned char>(c);
        const bool bad = b < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                         c == '"' || c == '<' || c == '>' || c == '|' || b == 0x7F;
        safe.push_back(bad ? '_' : c);
    }
    if (safe.empty() || safe == "." || safe == "..") safe.assign(1, '_');
    return safe;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == count) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

std::string FixedDecimals(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    for (char& c : result)
        if (c == ',') c = '.';  // a locale's decimal comma
    return result;
}

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows)
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (widths.size() <= k) widths.resize(k + 1, 0);
            widths[k] = std::max(widths[k], CharacterCount(row[k]));
        }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t k = 0; k < row.size(); ++k) {
            line += row[k];
            if (k + 1 < row.size())
                line += std::string(widths[k] - CharacterCount(row[k]) + 2, ' ');
        }
        // No blanks after an empty last cell.
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = Utf8SequenceLength(lead);
        if (length == 0 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        if (length == 3) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            if (lead == 0xE0 && second < 0xA0) return false;   // overlong
            if (lead == 0xED && second >= 0xA0) return false;  // surrogate
        } else if (length == 4) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            if (lead == 0xF0 && second < 0x90) return false;
            if (lead == 0xF4 && second >= 0x90) return false;
        }
        i += length;
    }
    return true;
}

std::string BytesToUtf8(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::string EscapedText(const std::string& bytes) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = Utf8SequenceLength(lead);
        const std::string piece = bytes.substr(i, length == 0 ? 1 : length);
        if (length > 0 && piece.size() == length && IsPrintableText(piece)) {
            out += piece;
        } else {
            length = 1;
            out += "\\x";
            out.push_back(kDigits[lead >> 4]);
            out.push_back(kDigits[lead & 0x0F]);
        }
        i += length;
    }
    return out;
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> values) {
    std::string filled;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::size_t place = k + 1 < text.size() && text[k] == '%'
                                      ? static_cast<std::size_t>(text[k + 1] - '1')
                                      : values.size();
        if (place < values.size()) {
            filled += *(values.begin() + place);
            ++k;
        } else {
            filled += text[k];
        }
    }
    return filled;
}

std::string Scientific(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1E", value);
    std::string result = text;
    const std::size_t e = result.find('E');
    if (e == std::string::npos || e + 2 >= result.size()) return result;
    std::size_t digits = e + 2;
    while (digits + 1 < result.size() && result[digits] == '0')
        result.erase(digits, 1);
    if (result[e + 1] == '+') result.erase(e + 1, 1);
    return result;
}

}  // namespace veltra
