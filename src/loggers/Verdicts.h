// Did the outlet pass? Each channel of a logger judged against a limit set, with the reasons of
// a failure; the network figures of a TV logger (tilt, peak-to-valley, adjacent channels, the
// digital-to-analog difference) judged too; levels in dBuV or dBmV. Plain C++: the viewers and
// the command line show what these give.
//
// How the figures are computed, per kind of channel (analog, digital) of a TV logger:
// - only channels with a level that can be read count; a channel the instrument did not measure
//   (inactive, or a level such as "----") is left out of every figure and is not judged;
// - tilt: the level of the highest-frequency channel minus that of the lowest-frequency one
//   (two channels at least), with its slope per 100 MHz;
// - peak-to-valley: the highest level minus the lowest (two channels at least);
// - adjacent channels: neighbours in frequency order among the counted channels of one kind;
//   the figure is the largest level difference between two neighbours, without sign;
// - digital-to-analog: the mean digital level minus the mean analog level (both kinds present).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "language/LanguageTable.h"
#include "loggers/LimitSets.h"
#include "loggers/LoggerRecords.h"

namespace veltra {

// --- Units ------------------------------------------------------------------------------------

// The instrument measures in dBuV; dBmV is dBuV - 60 (1 mV = 60 dBuV across 75 ohms).
enum class LevelUnit { dBuV, dBmV };
double LevelIn(double dBuV, LevelUnit unit);
// "dBµV" or "dBmV".
const char* LevelUnitName(LevelUnit unit);
// "dBuV", "dBµV" or "dBmV", any case; empty for another word.
std::optional<LevelUnit> ParseLevelUnit(const std::string& text);
// A level as the instrument writes it (dBuV) in `unit`, with as many decimals; a text that is no
// number ("----") stays as it is, as does every level in dBuV.
std::string LevelTextIn(const std::string& dBuV, LevelUnit unit);
// A copy of `records` with every level in `unit`: what is shown in another unit.
LoggerRecords WithLevelsIn(LoggerRecords records, LevelUnit unit);
// `text` with each "dBµV" and "dBuV" in it named as `unit` ("Level (dBuV)" -> "Level (dBmV)").
std::string WithUnitNamed(std::string text, LevelUnit unit);

// --- Verdicts ---------------------------------------------------------------------------------

enum class Parameter { Level, Mer, Cn, Ber, Threshold };

// One limit a channel does not keep: its value, the limit, and which side it is on.
struct LimitFailure {
    Parameter parameter = Parameter::Level;
    double value = 0, limit = 0;
    bool above = false;  // the value is above a maximum (else below a minimum)
};

struct ChannelVerdict {
    std::size_t row = 0;  // the logger's table row (0 is the first channel)
    std::string channel;  // its name
    double frequencyMHz = 0;
    bool upstream = false;  // a modem logger's upstream channel (its own rows)
    bool measured = false;  // false: not judged
    double level = 0;       // dBuV, when measured
    std::vector<LimitFailure> failures;
    bool pass() const { return measured && failures.empty(); }
};

enum class Figure {
    TiltAnalog,
    TiltDigital,
    PeakToValleyAnalog,
    PeakToValleyDigital,
    AdjacentAnalog,
    AdjacentDigital,
    DigitalToAnalog
};

// A network figure with its limit: `pass` is false outside it.
struct FigureVerdict {
    Figure figure = Figure::TiltAnalog;
    double value = 0;
    std::optional<double> slopePer100MHz;  // tilts
    Range limit;
    bool pass = true;
};

struct LoggerVerdict {
    std::vector<ChannelVerdict> channels;
    std::vector<FigureVerdict> figures;  // those that could be computed
    std::size_t measured() const;
    std::size_t passed() const;
    // The first channel that fails, if any.
    const ChannelVerdict* firstFailure() const;
    // Every measured channel and every figure within its limits; a logger with no measured
    // channel does not pass.
    bool pass() const;
};

LoggerVerdict JudgeTvLogger(const TvLogger& logger, const LimitSet& limits);
LoggerVerdict JudgeDownLogger(const DownLogger& logger, const LimitSet& limits);
LoggerVerdict JudgeModemLogger(const ModemLogger& logger, const LimitSet& limits);

// A BER as the instrument writes it ("2.1E-6", "<1.0E-8"): the number, a "<" bound read as its
// value.
std::optional<double> ParseBer(const std::string& text);

// --- Words ------------------------------------------------------------------------------------

// The words of a verdict in the program's language.
struct VerdictWords {
    std::string level, threshold, pass, notMeasured;
    std::string figureNames[7];  // in the order of Figure
};
VerdictWords VerdictWordsIn(const LanguageTable& texts);
// "Level 44.6 < 47.0; MER 29.5 < 32.0", or the pass word; levels in `unit`.
std::string ReasonText(const ChannelVerdict& verdict, const VerdictWords& words, LevelUnit unit);
// "Tilt (analog) 6.2 dB (1.4 dB / 100 MHz), limit 12.0".
std::string FigureText(const FigureVerdict& figure, const VerdictWords& words);
// "10 of 11 channels pass; first failing: D7 (Level 44.6 < 47.0)".
std::string ChannelsSummaryText(const LoggerVerdict& verdict, const LanguageTable& texts,
                                const VerdictWords& words, LevelUnit unit);
// The channels' summary, then each failing figure.
std::string SummaryText(const LoggerVerdict& verdict, const LanguageTable& texts,
                        const VerdictWords& words, LevelUnit unit);

// What a table's verdict column shows, row by row of each direction (a modem logger's upstream
// rows apart); a row that was not judged has an empty text.
struct VerdictColumn {
    std::vector<std::string> rows, upstreamRows;
};
VerdictColumn VerdictTexts(const LoggerVerdict& verdict, const VerdictWords& words, LevelUnit unit);

}  // namespace veltra
