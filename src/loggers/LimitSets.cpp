#include "loggers/LimitSets.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "language/TextKeys.h"
#include "text/Files.h"
#include "text/Text.h"

namespace veltra {

const std::vector<LimitSet>& BuiltInLimitSets() {
    // Levels at a subscriber outlet and for DOCSIS as cable operators commonly set them; each
    // operator may have its own, made in the Limits dialog.
    static const std::vector<LimitSet> sets = {
        {"Subscriber outlet, 256QAM",
         "common practice for cable networks at a subscriber outlet: analog 60 to 77 dBuV, "
         "256QAM 47 to 77 dBuV with a MER of 32 dB, C/N 43 dB, pre-FEC BER 1E-4",
         {60, 77},
         {47, 77},
         32,
         43,
         1e-4,
         12,
         15,
         3,
         {-12, 0},
         {45, 75},
         35,
         {95, 112}},
        {"Subscriber outlet, 64QAM",
         "common practice for cable networks at a subscriber outlet: analog 60 to 77 dBuV, "
         "64QAM 45 to 74 dBuV with a MER of 26 dB, C/N 43 dB, pre-FEC BER 1E-4",
         {60, 77},
         {45, 74},
         26,
         43,
         1e-4,
         12,
         15,
         3,
         {-15, 0},
         {45, 75},
         35,
         {95, 112}},
        {"DOCSIS 3.0 cable modem",
         "common practice for DOCSIS 3.0: downstream 45 to 75 dBuV (-15 to +15 dBmV) with a MER "
         "of 35 dB (256QAM), upstream transmit 95 to 112 dBuV (35 to 52 dBmV)",
         {60, 77},
         {45, 75},
         35,
         43,
         1e-4,
         12,
         15,
         3,
         {-12, 0},
         {45, 75},
         35,
         {95, 112}},
    };
    return sets;
}

const LimitSet* FindBuiltInLimitSet(const std::string& name) {
    auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const LimitSet& set : BuiltInLimitSets())
        if (lower(set.name) == lower(name)) return &set;
    return nullptr;
}

const std::vector<LimitField>& LimitFields() {
    static const std::vector<LimitField> fields = {
        {"analog level", text::kLimitAnalogLevel, &LimitSet::analogLevel, nullptr},
        {"digital level", text::kLimitDigitalLevel, &LimitSet::digitalLevel, nullptr},
        {"minimum MER", text::kLimitMinMer, nullptr, &LimitSet::minMer},
        {"minimum C/N", text::kLimitMinCn, nullptr, &LimitSet::minCn},
        {"maximum BER", text::kLimitMaxBer, nullptr, &LimitSet::maxBer},
        {"maximum tilt", text::kLimitMaxTilt, nullptr, &LimitSet::maxTilt},
        {"maximum peak-to-valley", text::kLimitMaxPeakToValley, nullptr,
         &LimitSet::maxPeakToValley},
        {"maximum adjacent difference", text::kLimitMaxAdjacent, nullptr, &LimitSet::maxAdjacent},
        {"digital to analog", text::kLimitDigitalToAnalog, &LimitSet::digitalToAnalog, nullptr},
        {"downstream level", text::kLimitDownstreamLevel, &LimitSet::downstreamLevel, nullptr},
        {"minimum downstream MER", text::kLimitMinDownstreamMer, nullptr,
         &LimitSet::minDownstreamMer},
        {"upstream level", text::kLimitUpstreamLevel, &LimitSet::upstreamLevel, nullptr},
    };
    return fields;
}

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A plain decimal number ("-3", "45.5"; with `exponent` also "1.0E-4"), nothing before or after
// it: not "0x20", not "32" followed by a NUL and more, not "inf".
std::optional<double> Number(const std::string& text, bool exponent) {
    const std::string trimmed = Trim(text);
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9')
            ++i;
        return i > from;
    };
    if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+')) ++i;
    if (!digits()) return std::nullopt;
    if (i < trimmed.size() && trimmed[i] == '.') {
        ++i;
        if (!digits()) return std::nullopt;
    }
    if (exponent && i < trimmed.size() && (trimmed[i] == 'E' || trimmed[i] == 'e')) {
        ++i;
        if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+')) ++i;
        if (!digits()) return std::nullopt;
    }
    if (i != trimmed.size()) return std::nullopt;
    const double value = std::strtod(trimmed.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// What a limit can be at all: a level in dBuV, a difference of levels, a ratio in dB or a BER.
Range PlausibleRange(const LimitField& field) {
    if (field.value == &LimitSet::maxBer) return {0, 1};
    if (field.range) return {-100, 200};
    return {0, 100};
}

}  // namespace

std::string FormatLimitSet(const LimitSet& limits) {
    std::string text = "# VELTRA-52 limit set: levels in dBuV, MER, C/N and differences in dB\n";
    text += "name = " + limits.name + "\n";
    text += "source = " + limits.source + "\n";
    for (const LimitField& field : LimitFields()) {
        text += std::string(field.key) + " = ";
        if (field.range) {
            const Range& r = limits.*field.range;
            text += FixedDecimals(r.min, 1) + " .. " + FixedDecimals(r.max, 1);
        } else if (field.value == &LimitSet::maxBer) {
            text += Scientific(limits.maxBer);
        } else {
            text += FixedDecimals(limits.*field.value, 1);
        }
        text += "\n";
    }
    return text;
}

std::optional<LimitSet> ParseLimitSet(const std::string& text, std::string& error) {
    error.clear();
    LimitSet limits;
    std::set<std::string> seen;
    std::size_t lineNumber = 0, start = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    };
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return fail("no \"=\" in \"" + line + "\"");
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (!seen.insert(key).second) return fail("\"" + key + "\" a second time");
        if (key == "name") {
            if (value.empty()) return fail("an empty name");
            limits.name = value;
            continue;
        }
        if (key == "source") {
            limits.source = value;
            continue;
        }
        const LimitField* field = nullptr;
        for (const LimitField& f : LimitFields())
            if (key == f.key) field = &f;
        if (!field) return fail("unknown key \"" + key + "\"");
        const Range plausible = PlausibleRange(*field);
        auto within = [&](std::optional<double> number) {
            return number && *number >= plausible.min && *number <= plausible.max;
        };
        const std::string bounds =
            FixedDecimals(plausible.min, 0) + " to " + FixedDecimals(plausible.max, 0);
        if (field->range) {
            const std::size_t dots = value.find("..");
            const auto low =
                dots == std::string::npos ? std::nullopt : Number(value.substr(0, dots), false);
            const auto high =
                dots == std::string::npos ? std::nullopt : Number(value.substr(dots + 2), false);
            if (!within(low) || !within(high) || *low > *high)
                return fail("\"" + key + "\" needs \"min .. max\", plain numbers from " + bounds +
                            ", min not above max");
            limits.*field->range = {*low, *high};
        } else {
            const auto number = Number(value, field->value == &LimitSet::maxBer);
            if (!within(number)) return fail("\"" + key + "\" needs a plain number from " + bounds);
            limits.*field->value = *number;
        }
    }
    // Every limit is the file's own: none is taken silently from elsewhere.
    if (!seen.count("name")) error = "no \"name\"";
    for (const LimitField& f : LimitFields())
        if (!seen.count(f.key)) error = "no \"" + std::string(f.key) + "\"";
    if (!error.empty()) return std::nullopt;
    return limits;
}

std::optional<LimitSet> ReadLimitSetFile(const std::string& path, std::string& error) {
    std::string content;
    const FileRead read = ReadWholeFile(path, content, file_limit::kTextFile);
    if (!read) {
        error = read.status == FileRead::Missing ? "no such file" : "cannot be read";
        return std::nullopt;
    }
    return ParseLimitSet(content, error);
}

std::vector<LimitSet> OwnLimitSets(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failed))
        if (entry.path().extension() == kLimitSetExtension) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    std::vector<LimitSet> sets;
    for (const std::string& file : files) {
        std::string error;
        if (auto set = ReadLimitSetFile(file, error)) sets.push_back(std::move(*set));
    }
    return sets;
}

Outcome<std::string> SaveOwnLimitSet(const std::string& folder, const LimitSet& limits) {
    MakeFolders(folder);
    const std::string path =
        Utf8Path(NativePath(folder) / NativePath(SafeFileName(limits.name) + kLimitSetExtension));
    if (const FileWrite written = WriteFileAtomically(path, FormatLimitSet(limits)); !written)
        return {Failure::FileUnwritable, UnwritableDetail(path, written)};
    return path;
}

}  // namespace veltra
