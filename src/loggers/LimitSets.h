// Limit sets: all the limits a channel and a network are judged on, under one name. The sets the
// program brings, and a technician's own, each kept as one readable file a team can share.
// Plain C++.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/Outcome.h"

namespace veltra {

// --- Limit sets -------------------------------------------------------------------------------

struct Range {
    double min = 0, max = 0;
};

// All limits of a measurement point, for every kind of logger. Levels in dBuV.
struct LimitSet {
    std::string name;
    std::string source;  // where the values come from, in words
    // TV loggers: levels per kind, MER (digital), C/N (analog), BER (digital, pre-FEC), and the
    // network figures.
    Range analogLevel;
    Range digitalLevel;
    double minMer = 0;
    double minCn = 0;
    double maxBer = 0;
    double maxTilt = 0;  // without sign
    double maxPeakToValley = 0;
    double maxAdjacent = 0;
    Range digitalToAnalog;
    // Downstream and modem loggers: the DOCSIS downstream channels and the modem's upstream
    // transmit level.
    Range downstreamLevel;
    double minDownstreamMer = 0;
    Range upstreamLevel;
};

// The sets the program brings, the first being the default: common practice for cable networks,
// each with its source words.
const std::vector<LimitSet>& BuiltInLimitSets();
// A built-in set by name, without regard to case.
const LimitSet* FindBuiltInLimitSet(const std::string& name);

// A limit set as a file a person can read and a team can share: "key = value" lines, ranges as
// "min .. max", "#" starting a comment; every key present once.
std::string FormatLimitSet(const LimitSet& limits);
// The set of a file's text; on a fault, nothing and `error` saying the line and why.
std::optional<LimitSet> ParseLimitSet(const std::string& text, std::string& error);

// One limit of a set: its key in a file, its words' language key, and the range or the value it
// is; the set's fields in the order a file and the Limits dialog give them.
struct LimitField {
    const char* key;
    int text;
    Range LimitSet::*range;
    double LimitSet::*value;
};
const std::vector<LimitField>& LimitFields();

// The extension of a limit set file.
inline constexpr const char* kLimitSetExtension = ".limits";
// A limit set file read whole; on a fault, nothing and `error` saying why.
std::optional<LimitSet> ReadLimitSetFile(const std::string& path, std::string& error);
// The technician's own sets: every limit set file of `folder`, in name order; a file that cannot
// be read is left out.
std::vector<LimitSet> OwnLimitSets(const std::string& folder);
// Writes `limits` into `folder` (made when missing) as "<name>.limits", the name made safe as a
// file name; the old file stays whole when it cannot be written. The path, or the failure with
// the file and the system's reason.
Outcome<std::string> SaveOwnLimitSet(const std::string& folder, const LimitSet& limits);

}  // namespace veltra
