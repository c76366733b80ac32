#include "loggers/Verdicts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

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

std::string LevelTextIn(const std::string& dBuV, LevelUnit unit) {
    if (unit == LevelUnit::dBuV) return dBuV;
    const auto value = Measured(dBuV);
    if (!value) return dBuV;
    const std::size_t point = dBuV.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(dBuV.find_last_of("0123456789") - point);
    // A bound of the instrument's range keeps its sign: "<30.0" is "<-30.0".
    const std::size_t first = dBuV.find_first_not_of(' ');
    const std::string bound =
        dBuV[first] == '<' || dBuV[first] == '>' ? std::string(1, dBuV[first]) : std::string();
    return bound + FixedDecimals(LevelIn(*value, unit), std::max(decimals, 0));
}

LoggerRecords WithLevelsIn(LoggerRecords records, LevelUnit unit) {
    auto convert = [unit](std::string& level) { level = LevelTextIn(level, unit); };
    convert(records.tv.threshold);
    for (TvRecord& r : records.tv.records)
        convert(r[6]);
    convert(records.down.power);
    for (auto& r : records.down.rows)
        convert(r[4]);
    for (auto& r : records.modem.down)
        convert(r[4]);
    for (auto& r : records.modem.up)
        convert(r[3]);
    return records;
}

std::string WithUnitNamed(std::string text, LevelUnit unit) {
    if (unit == LevelUnit::dBuV) return text;
    for (const char* name : {"dB\xC2\xB5V", "dBuV"})
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at))
            text.replace(at, std::string(name).size(), "dBmV");
    return text;
}

std::optional<LevelUnit> ParseLevelUnit(const std::string& text) {
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "dbuv" || lower == "db\xC2\xB5v") return LevelUnit::dBuV;
    if (lower == "dbmv") return LevelUnit::dBmV;
    return std::nullopt;
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
