// Channels and channel plans as the instrument and the ".c52" files hold them: the type, system
// and modulation codes, the two conversions between a file line and the instrument's wire text,
// and the channel plan file layout. Plain C++.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/Text.h"

namespace veltra {

inline constexpr int kMaxPlans = 10;
inline constexpr int kMaxChannels = 150;

inline constexpr std::array<std::string_view, 18> kAnalogSystems = {
    "PAL/BG",   "PAL/DK",   "PAL/L",   "PAL/I",   "PAL/M",   "PAL/N",
    "SECAM/BG", "SECAM/DK", "SECAM/L", "SECAM/I", "SECAM/M", "SECAM/N",
    "NTSC/BG",  "NTSC/DK",  "NTSC/L",  "NTSC/I",  "NTSC/M",  "NTSC/N"};
inline constexpr std::array<std::string_view, 3> kDigitalSystems = {"DVB-C", "ITU J.83/B",
                                                                    "ITU J.83/C"};
// In code order: QPSK comes after QAM256, QAM32u and QAM8 come last.
inline constexpr std::array<std::string_view, 8> kModulations = {
    "QAM16", "QAM32", "QAM64", "QAM128", "QAM256", "QPSK", "QAM32u", "QAM8"};

// MHz text as the screen shows it to whole hertz: read as a decimal number, times 1000000 in
// double precision, truncated toward zero; empty or non-numeric text gives 0.
long long MHzTextToHz(const std::string& text);
// Hertz to MHz text, "%.2f".
std::string HzToMHzText(long long hz);

// The instrument's limits on a channel, in hertz.
inline constexpr long long kMinFrequency = 5000000;
inline constexpr long long kMaxFrequency = 1020000000;
inline bool IsChannelFrequency(std::optional<long long> hz) {
    return InRange(hz, kMinFrequency, kMaxFrequency);
}
inline bool IsChannelBandwidth(std::optional<long long> hz) {
    return InRange(hz, 300000, 9999999);
}
inline bool IsChannelOffset(std::optional<long long> hz) {
    return InRange(hz, -2500000, 2500000);
}

// Code of `word` in `words`, -1 when it is not one of them (exact comparison).
template <std::size_t N>
int CodeOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word) return static_cast<int>(i);
    }
    return -1;
}

// Type code: bit 0 digital, 128 active.
int TypeCode(bool digital, bool active);

// A count the instrument answers: digits only, 0..max; an empty value counts 0. Empty optional
// for anything else (a garbled answer must never become a number the program acts on).
std::optional<int> CountValue(std::string_view text, int max);

// One channel, typed: what a plan file's line, the instrument's answer, a channel-write
// command and the editor's row each hold.
struct Channel {
    std::string name;
    long long frequency = 0, bandwidth = 0, offset = 0;  // hertz
    bool digital = false, active = false;
    int system = 0;               // code in kDigitalSystems or kAnalogSystems
    int modulation = 2;           // code in kModulations (digital channels)
    long long symbolRate = 6875;  // kBd (digital channels)
    int group = 0;                // 0 for no group, else 1..10
    bool groupMember = false;
};

// The field of a channel that broke its rule, in the order of a plan file's line; None when
// every field passed.
enum class ChannelField {
    Name,
    Frequency,
    FrequencyOrder,  // not above the previous channel's
    Bandwidth,
    Offset,
    Kind,
    Active,
    System,
    Modulation,
    SymbolRate,
    Group,
    GroupMember,
    None,
};

// The words of a channel in the order of a plan file's line, after its index: name,
// frequency, bandwidth and offset (whole hertz), "DIGITAL" or "ANALOG", "ON" or "OFF", system,
// modulation and symbol rate (digital channels only), group ("NO GROUP" or 1..10), "YES" or "NO".
enum ChannelWord {
    kWordName,
    kWordFrequency,
    kWordBandwidth,
    kWordOffset,
    kWordKind,
    kWordActive,
    kWordSystem,
    kWordModulation,
    kWordSymbolRate,
    kWordGroup,
    kWordGroupMember,
    kChannelWords
};
using ChannelWords = std::array<std::string_view, kChannelWords>;

// The words of a plan file's line after its index: an analog line has no modulation and symbol
// rate; the last word is the rest of the line.
ChannelWords SplitChannelLine(FieldSplitter& fields);

// The one check of a channel's words. Stops at the first word that breaks its rule; the words
// before it are in `channel`. With `wireName`, a name holding "&" fails (it would add a field on
// the wire). The frequency must lie above `frequencyAbove`.
ChannelField ReadChannel(const ChannelWords& words, Channel& channel, bool wireName = false,
                         long long frequencyAbove = kMinFrequency - 1);

// The plan file's line of a channel: "3,D1,100000000,8000000,0,DIGITAL,ON,DVB-C,QAM64,6875,
// NO GROUP,NO" (no modulation and symbol rate for an analog channel).
std::string ChannelFileLine(int index, const Channel& channel);

// The payload of a channel-write command: "001&D1&100000000&8000000&0&129&0&2&6875&03&01".
std::string ChannelPayload(int index, const Channel& channel);

// The instrument's answer to a channel query ("?name&freq&bw&offset&type&system&modulation&
// symbolrate&group&flag") as a channel line without its index, starting with ",". "error" when
// a value is out of range or the line could not be sent back with ChannelLineToPayload (the
// caller shows message 13).
std::string ChannelAnswerToLine(std::string_view answer);

// "*CF0", the slot digit and the payload travel in one command of at most 60 characters.
inline constexpr std::size_t kMaxChannelPayload = 55;

// A channel line of a plan file as the payload of a channel-write command. Remembers the
// previous index and frequency of the plan: `first` starts a new plan. On a failure the result
// is "error01".."error16" (the caller shows message 14): "error15" when the channel command
// would not fit in one report, "error16" when the name holds "&" or a control byte.
class PayloadConverter {
  public:
    std::string ChannelLineToPayload(std::string_view line, bool first);

  private:
    long long previousIndex_ = -1;
    long long previousFrequency_ = kMinFrequency - 1;
};

// True when a conversion result is one of the error markers.
inline bool IsErrorMarker(std::string_view result) {
    return result.substr(0, 5) == "error";
}
inline constexpr std::string_view kTooLongMarker = "error15";

// Channel plan file: name, count, channel lines, joined with CR LF, no line break at the end.
std::string FormatPlanFile(const std::string& name, const std::vector<std::string>& lines);

// Reads a channel plan file the way the senders do: the plan name is line 1 whole (the
// instrument's names may hold blanks), the channel count the decimal number that starts line 2,
// the rest of line 2 is skipped, then one channel line per read (at most 199 characters, line
// break removed).
class PlanFileReader {
  public:
    explicit PlanFileReader(std::string content);
    const std::string& name() const { return name_; }
    int count() const { return count_; }
    // The next channel line; empty after the end of the file.
    std::string nextLine();

  private:
    std::string name_;
    int count_ = 0;
    TextLineReader lines_{""};
};

// The longest plan name one "*CS0" command carries (its report holds 60 characters of text).
inline constexpr std::size_t kMaxPlanName = 55;

// A plan name the instrument can hold and answer: 1..55 printable characters.
bool IsPlanName(std::string_view name);

// Whether `content` has the shape of a channel plan file at all, whatever its channel lines
// hold: a plan name (IsPlanName) on line 1, a channel count of 0..150 in digits on line 2 (blanks
// around it allowed), and exactly that many channel lines of at most 199 characters after it
// (blank lines at the end are not counted). The channel lines' own checks are
// ChannelLineToPayload's.
bool IsPlanFileShape(const std::string& content);

// The note an interrupted delete leaves behind: the plans still to be sent back to the
// instrument, each as the whole text of its plan file, in slot order.
std::string FormatWriteBackNote(const std::vector<std::string>& planFiles);
// The plans of a note; empty optional for a note that is damaged or cut short.
std::optional<std::vector<std::string>> ReadWriteBackNote(const std::string& note);

// The local copy of the plan in `slot` of an instrument holding the plans `planNames`: its name
// with ".temp", in `folder` (empty: the current folder). Plans whose names give one file name
// ("X/Y" and "X_Y", two plans "SAME") each have a copy of their own, numbered in slot order as
// the files of a pull are: "SAME.temp", "SAME (2).temp".
std::string LocalPlanCopyPath(const std::string& folder, const std::vector<std::string>& planNames,
                              std::size_t slot);

}  // namespace veltra
