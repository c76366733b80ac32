#include "loggers/Verdicts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <set>

#include "language/TextKeys.h"
#include "text/Text.h"

namespace veltra {

namespace {

// A measured value as the instrument writes it: a number, or a bound of its range ("<30.0" is
// below what it can measure, and is read as 30.0). Anything else was not measured.
std::optional<double> Measured(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    if (start < text.size() && (text[start] == '<' || text[start] == '>')) ++start;
    if (start >= text.size()) return std::nullopt;
    const char* begin = text.c_str() + start;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value)) return std::nullopt;
    while (*end == ' ')
        ++end;
    if (*end != '\0') return std::nullopt;
    return value;
}

void Below(std::vector<LimitFailure>& failures, Parameter parameter, double value, double minimum) {
    if (value < minimum) failures.push_back({parameter, value, minimum, false});
}
void Above(std::vector<LimitFailure>& failures, Parameter parameter, double value, double maximum) {
    if (value > maximum) failures.push_back({parameter, value, maximum, true});
}
void Within(std::vector<LimitFailure>& failures, double level, const Range& range) {
    Below(failures, Parameter::Level, level, range.min);
    Above(failures, Parameter::Level, level, range.max);
}

// As the instrument writes a BER: "2.1E-6".
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

struct Counted {
    double mhz, level;
};

// The figures of one kind of channel, appended to `figures`.
void KindFigures(std::vector<Counted> channels, Figure tilt, Figure peakToValley, Figure adjacent,
                 const LimitSet& limits, std::vector<FigureVerdict>& figures) {
    if (channels.size() < 2) return;
    std::stable_sort(channels.begin(), channels.end(),
                     [](const Counted& a, const Counted& b) { return a.mhz < b.mhz; });
    const Counted& low = channels.front();
    const Counted& high = channels.back();
    const double tiltValue = high.level - low.level;
    FigureVerdict t{tilt, tiltValue, std::nullopt, {-limits.maxTilt, limits.maxTilt}, true};
    if (high.mhz > low.mhz) t.slopePer100MHz = tiltValue / (high.mhz - low.mhz) * 100;
    t.pass = std::fabs(tiltValue) <= limits.maxTilt;
    figures.push_back(t);
    const auto [lowest, highest] =
        std::minmax_element(channels.begin(), channels.end(),
                            [](const Counted& a, const Counted& b) { return a.level < b.level; });
    const double spread = highest->level - lowest->level;
    figures.push_back({peakToValley,
                       spread,
                       std::nullopt,
                       {0, limits.maxPeakToValley},
                       spread <= limits.maxPeakToValley});
    double largest = 0;
    for (std::size_t k = 1; k < channels.size(); ++k)
        largest = std::max(largest, std::fabs(channels[k].level - channels[k - 1].level));
    figures.push_back(
        {adjacent, largest, std::nullopt, {0, limits.maxAdjacent}, largest <= limits.maxAdjacent});
}

double Mean(const std::vector<Counted>& channels) {
    return std::accumulate(channels.begin(), channels.end(), 0.0,
                           [](double sum, const Counted& c) { return sum + c.level; }) /
           static_cast<double>(channels.size());
}

}  // namespace

double LevelIn(double dBuV, LevelUnit unit) {
    return unit == LevelUnit::dBmV ? dBuV - 60 : dBuV;
}

const char* LevelUnitName(LevelUnit unit) {
    return unit == LevelUnit::dBmV ? "dBmV" : "dB\xC2\xB5V";
}

std::optional<LevelUnit> ParseLevelUnit(const std::string& text) {
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "dbuv" || lower == "db\xC2\xB5v") return LevelUnit::dBuV;
    if (lower == "dbmv") return LevelUnit::dBmV;
    return std::nullopt;
}

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

namespace {

// Each field of a limit set with its key in the file; a range or a single value.
struct LimitField {
    const char* key;
    Range LimitSet::*range;
    double LimitSet::*value;
};
constexpr LimitField kLimitFields[] = {
    {"analog level", &LimitSet::analogLevel, nullptr},
    {"digital level", &LimitSet::digitalLevel, nullptr},
    {"minimum MER", nullptr, &LimitSet::minMer},
    {"minimum C/N", nullptr, &LimitSet::minCn},
    {"maximum BER", nullptr, &LimitSet::maxBer},
    {"maximum tilt", nullptr, &LimitSet::maxTilt},
    {"maximum peak-to-valley", nullptr, &LimitSet::maxPeakToValley},
    {"maximum adjacent difference", nullptr, &LimitSet::maxAdjacent},
    {"digital to analog", &LimitSet::digitalToAnalog, nullptr},
    {"downstream level", &LimitSet::downstreamLevel, nullptr},
    {"minimum downstream MER", nullptr, &LimitSet::minDownstreamMer},
    {"upstream level", &LimitSet::upstreamLevel, nullptr},
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<double> Number(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::string FormatLimitSet(const LimitSet& limits) {
    std::string text = "# VELTRA-52 limit set: levels in dBuV, MER, C/N and differences in dB\n";
    text += "name = " + limits.name + "\n";
    text += "source = " + limits.source + "\n";
    for (const LimitField& field : kLimitFields) {
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
        for (const LimitField& f : kLimitFields)
            if (key == f.key) field = &f;
        if (!field) return fail("unknown key \"" + key + "\"");
        if (field->range) {
            const std::size_t dots = value.find("..");
            const auto low =
                dots == std::string::npos ? std::nullopt : Number(value.substr(0, dots));
            const auto high =
                dots == std::string::npos ? std::nullopt : Number(value.substr(dots + 2));
            if (!low || !high || *low > *high)
                return fail("\"" + key + "\" needs \"min .. max\", min not above max");
            limits.*field->range = {*low, *high};
        } else {
            const auto number = Number(value);
            if (!number || *number < 0) return fail("\"" + key + "\" needs a number, 0 or more");
            limits.*field->value = *number;
        }
    }
    // Every limit is the file's own: none is taken silently from elsewhere.
    if (!seen.count("name")) error = "no \"name\"";
    for (const LimitField& f : kLimitFields)
        if (!seen.count(f.key)) error = "no \"" + std::string(f.key) + "\"";
    if (!error.empty()) return std::nullopt;
    return limits;
}

std::optional<double> ParseBer(const std::string& text) {
    return Measured(text);
}

std::size_t LoggerVerdict::measured() const {
    return static_cast<std::size_t>(std::count_if(
        channels.begin(), channels.end(), [](const ChannelVerdict& c) { return c.measured; }));
}

std::size_t LoggerVerdict::passed() const {
    return static_cast<std::size_t>(std::count_if(
        channels.begin(), channels.end(), [](const ChannelVerdict& c) { return c.pass(); }));
}

const ChannelVerdict* LoggerVerdict::firstFailure() const {
    for (const ChannelVerdict& c : channels)
        if (c.measured && !c.pass()) return &c;
    return nullptr;
}

bool LoggerVerdict::pass() const {
    return measured() > 0 && !firstFailure() &&
           std::all_of(figures.begin(), figures.end(),
                       [](const FigureVerdict& f) { return f.pass; });
}

LoggerVerdict JudgeTvLogger(const TvLogger& logger, const LimitSet& limits) {
    LoggerVerdict verdict;
    const std::optional<double> threshold =
        logger.threshold.empty() ? std::nullopt : Measured(logger.threshold);
    std::vector<Counted> analog, digital;
    for (std::size_t k = 0; k < logger.records.size(); ++k) {
        const TvRecord& r = logger.records[k];
        ChannelVerdict c;
        c.row = k;
        c.channel = r[1];
        c.frequencyMHz = Measured(r[2]).value_or(0);
        const auto level = Measured(r[6]);
        c.measured = level.has_value();
        c.level = level.value_or(0);
        if (c.measured) {
            const bool isDigital = r[5] == "DIGITAL";
            Within(c.failures, *level, isDigital ? limits.digitalLevel : limits.analogLevel);
            // The logger's own threshold says more only where the level keeps the set's minimum.
            if (threshold && c.failures.empty())
                Below(c.failures, Parameter::Threshold, *level, *threshold);
            if (const auto quality = Measured(r[10])) {
                Below(c.failures, isDigital ? Parameter::Mer : Parameter::Cn, *quality,
                      isDigital ? limits.minMer : limits.minCn);
            }
            if (const auto ber = isDigital ? ParseBer(r[11]) : std::nullopt)
                Above(c.failures, Parameter::Ber, *ber, limits.maxBer);
            (isDigital ? digital : analog).push_back({c.frequencyMHz, *level});
        }
        verdict.channels.push_back(std::move(c));
    }
    KindFigures(analog, Figure::TiltAnalog, Figure::PeakToValleyAnalog, Figure::AdjacentAnalog,
                limits, verdict.figures);
    KindFigures(digital, Figure::TiltDigital, Figure::PeakToValleyDigital, Figure::AdjacentDigital,
                limits, verdict.figures);
    if (!analog.empty() && !digital.empty()) {
        const double difference = Mean(digital) - Mean(analog);
        verdict.figures.push_back(
            {Figure::DigitalToAnalog, difference, std::nullopt, limits.digitalToAnalog,
             difference >= limits.digitalToAnalog.min && difference <= limits.digitalToAnalog.max});
    }
    return verdict;
}

LoggerVerdict JudgeDownLogger(const DownLogger& logger, const LimitSet& limits) {
    LoggerVerdict verdict;
    const auto mainFrequency = Measured(logger.frequency);
    for (std::size_t k = 0; k < logger.rows.size(); ++k) {
        const auto& r = logger.rows[k];
        ChannelVerdict c;
        c.row = k;
        c.channel = r[1];
        c.frequencyMHz = Measured(r[3]).value_or(0);
        const auto level = Measured(r[4]);
        c.measured = level.has_value();
        c.level = level.value_or(0);
        if (c.measured) {
            Within(c.failures, *level, limits.downstreamLevel);
            // The channel the logger measured in full carries its MER and BER.
            if (mainFrequency && std::fabs(*mainFrequency - c.frequencyMHz) < 0.005) {
                if (const auto mer = Measured(logger.mer))
                    Below(c.failures, Parameter::Mer, *mer, limits.minDownstreamMer);
                if (const auto ber = ParseBer(logger.preBer))
                    Above(c.failures, Parameter::Ber, *ber, limits.maxBer);
            }
        }
        verdict.channels.push_back(std::move(c));
    }
    return verdict;
}

LoggerVerdict JudgeModemLogger(const ModemLogger& logger, const LimitSet& limits) {
    LoggerVerdict verdict;
    for (std::size_t k = 0; k < logger.down.size(); ++k) {
        const auto& r = logger.down[k];
        ChannelVerdict c;
        c.row = k;
        c.channel = r[1];
        c.frequencyMHz = Measured(r[3]).value_or(0);
        const auto level = Measured(r[4]);
        c.measured = level.has_value();
        c.level = level.value_or(0);
        if (c.measured) {
            Within(c.failures, *level, limits.downstreamLevel);
            if (const auto mer = Measured(r[5]))
                Below(c.failures, Parameter::Mer, *mer, limits.minDownstreamMer);
        }
        verdict.channels.push_back(std::move(c));
    }
    for (std::size_t k = 0; k < logger.up.size(); ++k) {
        const auto& r = logger.up[k];
        ChannelVerdict c;
        c.row = k;
        c.upstream = true;
        c.channel = r[1];
        c.frequencyMHz = Measured(r[2]).value_or(0);
        const auto level = Measured(r[3]);
        c.measured = level.has_value();
        c.level = level.value_or(0);
        if (c.measured) Within(c.failures, *level, limits.upstreamLevel);
        verdict.channels.push_back(std::move(c));
    }
    return verdict;
}

VerdictWords VerdictWordsIn(const LanguageTable& texts) {
    VerdictWords words{texts.text(text::kVerdictLevel),
                       texts.text(text::kVerdictThreshold),
                       texts.text(text::kVerdictPass),
                       texts.text(text::kVerdictNotMeasured),
                       {}};
    for (int k = 0; k < 7; ++k)
        words.figureNames[k] = texts.text(text::kFigureTiltAnalog + k);
    return words;
}

std::string ReasonText(const ChannelVerdict& verdict, const VerdictWords& words, LevelUnit unit) {
    if (!verdict.measured) return words.notMeasured;
    if (verdict.failures.empty()) return words.pass;
    std::string text;
    for (const LimitFailure& f : verdict.failures) {
        if (!text.empty()) text += "; ";
        const char* sign = f.above ? " > " : " < ";
        switch (f.parameter) {
            case Parameter::Level:
                text += words.level + " " + FixedDecimals(LevelIn(f.value, unit), 1) + sign +
                        FixedDecimals(LevelIn(f.limit, unit), 1);
                break;
            case Parameter::Threshold:
                text += words.level + " " + FixedDecimals(LevelIn(f.value, unit), 1) + sign +
                        words.threshold + " " + FixedDecimals(LevelIn(f.limit, unit), 1);
                break;
            case Parameter::Mer:
                text += "MER " + FixedDecimals(f.value, 1) + sign + FixedDecimals(f.limit, 1);
                break;
            case Parameter::Cn:
                text += "C/N " + FixedDecimals(f.value, 1) + sign + FixedDecimals(f.limit, 1);
                break;
            case Parameter::Ber:
                text += "BER " + Scientific(f.value) + sign + Scientific(f.limit);
                break;
        }
    }
    return text;
}

std::string FigureText(const FigureVerdict& figure, const VerdictWords& words) {
    std::string text = words.figureNames[static_cast<int>(figure.figure)] + " " +
                       FixedDecimals(figure.value, 1) + " dB";
    if (figure.slopePer100MHz)
        text += " (" + FixedDecimals(*figure.slopePer100MHz, 2) + " dB/100 MHz)";
    switch (figure.figure) {
        case Figure::TiltAnalog:
        case Figure::TiltDigital:
            text += ", |" + FixedDecimals(figure.value, 1) + "| " + (figure.pass ? "<= " : "> ") +
                    FixedDecimals(figure.limit.max, 1);
            break;
        case Figure::DigitalToAnalog:
            text += ", " + FixedDecimals(figure.limit.min, 1) + " .. " +
                    FixedDecimals(figure.limit.max, 1);
            break;
        default:
            text += std::string(figure.pass ? " <= " : " > ") + FixedDecimals(figure.limit.max, 1);
            break;
    }
    return text + (figure.pass ? "" : " \xE2\x9C\x96");
}

std::string ChannelsSummaryText(const LoggerVerdict& verdict, const LanguageTable& texts,
                                const VerdictWords& words, LevelUnit unit) {
    std::string text =
        FillIn(texts.text(text::kChannelsPass),
               {std::to_string(verdict.passed()), std::to_string(verdict.measured())});
    if (const ChannelVerdict* first = verdict.firstFailure())
        text += "; " + FillIn(texts.text(text::kFirstFailing), {first->channel}) + " (" +
                ReasonText(*first, words, unit) + ")";
    return text;
}

std::string SummaryText(const LoggerVerdict& verdict, const LanguageTable& texts,
                        const VerdictWords& words, LevelUnit unit) {
    std::string text = ChannelsSummaryText(verdict, texts, words, unit);
    for (const FigureVerdict& f : verdict.figures)
        if (!f.pass) text += "; " + FigureText(f, words);
    return text;
}

VerdictColumn VerdictTexts(const LoggerVerdict& verdict, const VerdictWords& words,
                           LevelUnit unit) {
    VerdictColumn column;
    for (const ChannelVerdict& c : verdict.channels) {
        auto& rows = c.upstream ? column.upstreamRows : column.rows;
        if (rows.size() <= c.row) rows.resize(c.row + 1);
        rows[c.row] = ReasonText(c, words, unit);
    }
    return column;
}

}  // namespace veltra
