// What the logger graphs show, as pure functions from a logger to shapes: the channels with
// their level and quality, the limits a technician sets, the comparison of two TV loggers
// matched by frequency, and the rectangles and points of a graph of a given size. Plain C++;
// the graph widget only paints what these give.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"

namespace veltra {

// One channel of a logger as the graph sees it.
struct GraphChannel {
    std::size_t row = 0;            // the table row (0 is the first channel)
    double frequencyMHz = 0;        // the bar's centre
    double bandwidthMHz = 0;        // the bar's width
    double level = 0;               // dBuV
    std::optional<double> quality;  // MER (digital) or C/N (analog), dB
    bool digital = false;
    bool fails = false;  // its verdict fails, on a limit the graph does not draw too (BER)
};

// The channels of a TV logger; a record whose frequency or level cannot be read is left out.
std::vector<GraphChannel> TvGraphChannels(const TvLogger& logger);

// The downstream logger's channels (8 MHz wide), the main channel with its MER; the modem
// logger's upstream channels with their widths, and its downstream channels (8 MHz wide) with
// their MER.
std::vector<GraphChannel> DownGraphChannels(const DownLogger& logger);
std::vector<GraphChannel> ModemGraphChannels(const ModemLogger& logger);
std::vector<GraphChannel> ModemDownGraphChannels(const ModemLogger& logger);

// What a graph draws as its limits and marks channels by: the level range of each kind of
// channel, the least MER (digital) and C/N (analog). The defaults are the program's first set's.
struct Limits {
    Range analogLevel{60, 77};
    Range digitalLevel{47, 77};
    double minMer = 32;
    double minCn = 43;
};
// The limits of `set` that a graph of `kind` draws: a TV logger's (kShowTv), the DOCSIS
// downstream channels' (kShowDown), or the modem's upstream transmit level (kShowModem).
Limits GraphLimits(const LimitSet& set, LoggerKindShown kind);
// Marks the channels of `verdict` that fail (those of the direction `upstream`).
void MarkFailures(std::vector<GraphChannel>& channels, const LoggerVerdict& verdict,
                  bool upstream = false);
// True when the channel's verdict fails, its level or quality lies outside `limits`, or its
// level below the logger's own threshold.
bool OutsideLimits(const GraphChannel& channel, const Limits& limits,
                   std::optional<double> threshold);

// Two TV loggers channel by channel, matched by frequency (to 10 kHz).
struct ChannelComparison {
    double frequencyMHz = 0;
    std::optional<std::size_t> first, second;  // rows in each logger; one empty: only in the other
    std::optional<double> levelDifference;     // second - first, dB
    std::optional<double> qualityDifference;
};
std::vector<ChannelComparison> CompareTvLoggers(const TvLogger& first, const TvLogger& second);

// A graph of `width` x `height` pixels: a margin for the axes, the frequency axis from the
// lowest to the highest channel edge, the level axis from 0 to the highest level (or limit)
// rounded up to 10 dB, the quality axis from 0 to 60 dB.
struct GraphRect {
    double left = 0, top = 0, width = 0, height = 0;
};
struct GraphBar {
    std::size_t channel = 0;  // index into the channels given
    GraphRect rect;
    bool digital = false, outside = false;
    int series = 0;  // 0 the logger, 1 the logger it is compared with
};
struct GraphPoint {
    std::size_t channel = 0;
    double x = 0, y = 0;
    int series = 0;
};
// A limit drawn across the plot: a level on the left axis, or a MER or C/N on the right one.
struct LimitLine {
    enum Kind { MinLevel, MaxLevel, MinMer, MinCn } kind = MinLevel;
    double value = 0, y = 0;
    // A level limit of one kind of channel, where the kinds' ranges differ.
    enum Of { Both, Analog, Digital } of = Both;
};
struct GraphLayout {
    GraphRect plot;
    double minMHz = 0, maxMHz = 0, maxLevel = 0;
    std::vector<GraphBar> bars;
    std::vector<GraphPoint> points;
    std::optional<double> thresholdY;  // the threshold's horizontal line
    // The limits, a quality limit only where a channel of its kind has that quality.
    std::vector<LimitLine> limitLines;
};
// `second` (may be empty) is drawn as the second bar of each pair.
GraphLayout LayoutGraph(const std::vector<GraphChannel>& channels,
                        const std::vector<GraphChannel>& second, const Limits& limits,
                        std::optional<double> threshold, double width, double height);
// The channel under a pixel, for the hover text.
std::optional<GraphBar> BarAt(const GraphLayout& layout, double x, double y);

}  // namespace veltra
