#include "loggers/LoggerGraph.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace veltra {

namespace {

std::optional<double> Number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(value)) return std::nullopt;
    return value;
}

constexpr double kMaxQuality = 60;
constexpr double kLeftMargin = 44, kRightMargin = 36, kTopMargin = 20, kBottomMargin = 28;

}  // namespace

std::vector<GraphChannel> TvGraphChannels(const TvLogger& logger) {
    std::vector<GraphChannel> channels;
    for (std::size_t k = 0; k < logger.records.size(); ++k) {
        const TvRecord& r = logger.records[k];
        const auto frequency = Number(r[2]);
        const auto level = Number(r[6]);
        if (!frequency || !level) continue;
        channels.push_back(
            {k, *frequency, Number(r[3]).value_or(0), *level, Number(r[10]), r[5] == "DIGITAL"});
    }
    return channels;
}

std::vector<GraphChannel> DownGraphChannels(const DownLogger& logger) {
    std::vector<GraphChannel> channels;
    const auto mainFrequency = Number(logger.frequency);
    for (std::size_t k = 0; k < logger.rows.size(); ++k) {
        const auto& r = logger.rows[k];
        const auto frequency = Number(r[3]);
        const auto level = Number(r[4]);
        if (!frequency || !level) continue;
        const bool main = mainFrequency && std::fabs(*mainFrequency - *frequency) < 0.005;
        channels.push_back(
            {k, *frequency, 8, *level, main ? Number(logger.mer) : std::nullopt, true});
    }
    return channels;
}

std::vector<GraphChannel> ModemGraphChannels(const ModemLogger& logger) {
    std::vector<GraphChannel> channels;
    for (std::size_t k = 0; k < logger.up.size(); ++k) {
        const auto& r = logger.up[k];
        const auto frequency = Number(r[2]);
        const auto level = Number(r[3]);
        if (!frequency || !level) continue;
        channels.push_back({k, *frequency, Number(r[5]).value_or(1.6), *level, std::nullopt, true});
    }
    return channels;
}

std::vector<GraphChannel> ModemDownGraphChannels(const ModemLogger& logger) {
    std::vector<GraphChannel> channels;
    for (std::size_t k = 0; k < logger.down.size(); ++k) {
        const auto& r = logger.down[k];
        const auto frequency = Number(r[3]);
        const auto level = Number(r[4]);
        if (!frequency || !level) continue;
        channels.push_back({k, *frequency, 8, *level, Number(r[5]), true});
    }
    return channels;
}

Limits GraphLimits(const LimitSet& set, LoggerKindShown kind) {
    switch (kind) {
        case kShowDown:
            return {set.downstreamLevel, set.downstreamLevel, set.minDownstreamMer, set.minCn};
        case kShowModem:
            return {set.upstreamLevel, set.upstreamLevel, set.minMer, set.minCn};
        default:
            return {set.analogLevel, set.digitalLevel, set.minMer, set.minCn};
    }
}

void MarkFailures(std::vector<GraphChannel>& channels, const LoggerVerdict& verdict,
                  bool upstream) {
    for (const ChannelVerdict& v : verdict.channels) {
        if (v.upstream != upstream || !v.measured || v.pass()) continue;
        for (GraphChannel& c : channels)
            if (c.row == v.row) c.fails = true;
    }
}

bool OutsideLimits(const GraphChannel& c, const Limits& limits, std::optional<double> threshold) {
    if (c.fails) return true;
    const Range& level = c.digital ? limits.digitalLevel : limits.analogLevel;
    if (c.level < level.min || c.level > level.max) return true;
    if (threshold && c.level < *threshold) return true;
    return c.quality && *c.quality < (c.digital ? limits.minMer : limits.minCn);
}

std::vector<ChannelComparison> CompareTvLoggers(const TvLogger& first, const TvLogger& second) {
    // Keyed by frequency in 10 kHz steps: "602.00" and "602.004" are one channel.
    std::map<long long, ChannelComparison> byFrequency;
    const auto a = TvGraphChannels(first), b = TvGraphChannels(second);
    auto key = [](double mhz) { return std::llround(mhz * 100); };
    for (const GraphChannel& c : a) {
        auto& entry = byFrequency[key(c.frequencyMHz)];
        entry.frequencyMHz = c.frequencyMHz;
        entry.first = c.row;
    }
    for (const GraphChannel& c : b) {
        auto& entry = byFrequency[key(c.frequencyMHz)];
        entry.frequencyMHz = c.frequencyMHz;
        entry.second = c.row;
    }
    std::vector<ChannelComparison> result;
    for (auto& [frequency, entry] : byFrequency) {
        if (entry.first && entry.second) {
            const auto find = [](const std::vector<GraphChannel>& list, std::size_t row) {
                return *std::find_if(list.begin(), list.end(),
                                     [row](const GraphChannel& c) { return c.row == row; });
            };
            const GraphChannel& x = find(a, *entry.first);
            const GraphChannel& y = find(b, *entry.second);
            entry.levelDifference = y.level - x.level;
            if (x.quality && y.quality) entry.qualityDifference = *y.quality - *x.quality;
        }
        result.push_back(entry);
    }
    return result;
}

GraphLayout LayoutGraph(const std::vector<GraphChannel>& channels,
                        const std::vector<GraphChannel>& second, const Limits& limits,
                        std::optional<double> threshold, double width, double height) {
    GraphLayout layout;
    layout.plot = {kLeftMargin, kTopMargin, std::max(0.0, width - kLeftMargin - kRightMargin),
                   std::max(0.0, height - kTopMargin - kBottomMargin)};
    if (channels.empty() && second.empty()) return layout;
    double low = 1e9, high = 0,
           top = std::max({limits.analogLevel.max, limits.digitalLevel.max, threshold.value_or(0)});
    for (const auto* list : {&channels, &second}) {
        for (const GraphChannel& c : *list) {
            low = std::min(low, c.frequencyMHz - c.bandwidthMHz / 2);
            high = std::max(high, c.frequencyMHz + c.bandwidthMHz / 2);
            top = std::max(top, c.level);
        }
    }
    if (high - low < 1) high = low + 1;
    layout.minMHz = low;
    layout.maxMHz = high;
    layout.maxLevel = std::ceil(std::max(top, 1.0) / 10) * 10;
    const GraphRect& p = layout.plot;
    auto x = [&](double mhz) { return p.left + (mhz - low) / (high - low) * p.width; };
    auto y = [&](double level, double scale) {
        return p.top + p.height - std::clamp(level, 0.0, scale) / scale * p.height;
    };
    const bool paired = !second.empty();
    for (int series = 0; series < (paired ? 2 : 1); ++series) {
        const auto& list = series == 0 ? channels : second;
        for (std::size_t k = 0; k < list.size(); ++k) {
            const GraphChannel& c = list[k];
            // At least one pixel wide; a pair shares the channel's width.
            double left = x(c.frequencyMHz - c.bandwidthMHz / 2);
            double right = std::max(x(c.frequencyMHz + c.bandwidthMHz / 2), left + 1);
            // Neighbouring channels stay apart: a gap of up to 2 pixels on each side.
            if (right - left > 4) {
                const double gap = std::min((right - left) * 0.08, 2.0);
                left += gap;
                right -= gap;
            }
            if (paired) {
                const double middle = (left + right) / 2;
                (series == 0 ? right : left) = middle;
            }
            const double barTop = y(c.level, layout.maxLevel);
            layout.bars.push_back({k,
                                   {left, barTop, right - left, p.top + p.height - barTop},
                                   c.digital,
                                   OutsideLimits(c, limits, threshold),
                                   series});
            if (c.quality)
                layout.points.push_back(
                    {k, (left + right) / 2, y(*c.quality, kMaxQuality), series});
        }
    }
    if (threshold) layout.thresholdY = y(*threshold, layout.maxLevel);
    // The level limits of the kinds drawn: one pair where their ranges are the same.
    bool analog = false, digital = false;
    for (const auto* list : {&channels, &second})
        for (const GraphChannel& c : *list)
            (c.digital ? digital : analog) = true;
    // Each of the minimum and the maximum once where both kinds share it, else per kind drawn.
    auto levelLines = [&](LimitLine::Kind kind, double analogValue, double digitalValue) {
        auto line = [&](double value, LimitLine::Of of) {
            layout.limitLines.push_back({kind, value, y(value, layout.maxLevel), of});
        };
        if (analogValue == digitalValue || !(analog && digital)) {
            line(digital ? digitalValue : analogValue, LimitLine::Both);
        } else {
            line(analogValue, LimitLine::Analog);
            line(digitalValue, LimitLine::Digital);
        }
    };
    levelLines(LimitLine::MinLevel, limits.analogLevel.min, limits.digitalLevel.min);
    levelLines(LimitLine::MaxLevel, limits.analogLevel.max, limits.digitalLevel.max);
    bool mer = false, cn = false;
    for (const GraphChannel& c : channels)
        if (c.quality) (c.digital ? mer : cn) = true;
    if (mer)
        layout.limitLines.push_back(
            {LimitLine::MinMer, limits.minMer, y(limits.minMer, kMaxQuality), LimitLine::Both});
    if (cn)
        layout.limitLines.push_back(
            {LimitLine::MinCn, limits.minCn, y(limits.minCn, kMaxQuality), LimitLine::Both});
    return layout;
}

std::optional<GraphBar> BarAt(const GraphLayout& layout, double x, double y) {
    const GraphRect& p = layout.plot;
    if (y < p.top || y > p.top + p.height) return std::nullopt;
    for (const GraphBar& bar : layout.bars) {
        if (x >= bar.rect.left && x < bar.rect.left + bar.rect.width) return bar;
    }
    return std::nullopt;
}

}  // namespace veltra
