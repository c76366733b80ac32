// The instrument's command texts, in one place for the operations and the simulator that answers
// them. Queries go with report code 25, like the plan write commands; "*EP", "*RS2" and "*RS0"
// with report code 22, the erase steps with 24. Plain C++.
#pragma once

#include <string>

#include "text/Text.h"

namespace veltra::command {

// Identity.
inline constexpr const char* kModel = "*?VE";
inline constexpr const char* kSerial = "*?NS";

// The command families: a prefix and its arguments. The simulator recognises the commands by
// these prefixes.
inline constexpr const char* kPlanCount = "*?PN";
inline constexpr const char* kPlanNameQuery = "*?CS";
inline constexpr const char* kChannelCountQuery = "*?CU";
inline constexpr const char* kChannelQuery = "*?CF";
inline constexpr const char* kSetPlanCountPrefix = "*PN";
inline constexpr const char* kSetPlanNamePrefix = "*CS0";
inline constexpr const char* kSetChannelCountPrefix = "*CW0";
inline constexpr const char* kSetChannelPrefix = "*CF0";
inline constexpr const char* kTvPresence = "*?LT";
inline constexpr const char* kModemPresence = "*?LM";
inline constexpr const char* kTvEntry = "*?OT";
inline constexpr const char* kModemEntry = "*?OM";
inline constexpr const char* kTvHeaderQuery = "*?ET";
inline constexpr const char* kTvRecordQuery = "*?HD";
inline constexpr const char* kLoggerKindQuery = "*?EM";
inline constexpr const char* kModemRowQuery = "*?HM";
inline constexpr const char* kEraseStepPrefix = "*FE";
// The clock report and a firmware record start with these (written into the report itself).
inline constexpr const char* kSetClock = "*SK";
inline constexpr const char* kFirmwareRecord = "*SXS";

// Channel plans: queries. The slot is "0" and one digit in "*?CS", bare in "*?CU", two digits in
// "*?CF", followed there by three digits of the channel.
inline std::string PlanName(int slot) {
    return kPlanNameQuery + ("0" + std::to_string(slot));
}
inline std::string ChannelCount(int slot) {
    return kChannelCountQuery + std::to_string(slot);
}
inline std::string Channel(int slot, int index) {
    return kChannelQuery + ZeroPadded(slot, 2) + ZeroPadded(index, 3);
}

// Channel plans: writes. "*PM00" and "*EP" erase every plan; "*PM01" opens the writing of one.
inline constexpr const char* kErasePlans = "*PM00";
inline constexpr const char* kEraseConfirm = "*EP";
inline constexpr const char* kOpenPlanWrite = "*PM01";
// The number of plans the instrument holds from now on: two digits ("*PN03", "*PN10").
inline std::string SetPlanCount(int count) {
    return kSetPlanCountPrefix + ZeroPadded(count, 2);
}
inline std::string SetPlanName(int slot, const std::string& name) {
    return kSetPlanNamePrefix + std::to_string(slot) + name;
}
inline std::string SetChannelCount(int slot, int count) {
    return kSetChannelCountPrefix + std::to_string(slot) + ZeroPadded(count, 3);
}
inline std::string SetChannel(int slot, const std::string& payload) {
    return kSetChannelPrefix + std::to_string(slot) + payload;
}

// Loggers: the TV list ("T") and the modem list ("M"), numbers as two digits.
inline std::string LoggerPresence(bool tv) {
    return tv ? kTvPresence : kModemPresence;
}
inline std::string LoggerEntry(bool tv, int number) {
    return (tv ? kTvEntry : kModemEntry) + ZeroPadded(number, 2);
}
inline std::string TvHeader(int number) {
    return kTvHeaderQuery + ZeroPadded(number, 2);
}
inline std::string TvRecord(int number, int record) {
    return kTvRecordQuery + ZeroPadded(number, 2) + ZeroPadded(record, 3);
}
inline std::string LoggerKind(int number) {
    return kLoggerKindQuery + ZeroPadded(number, 2);
}
inline std::string ModemRow(int number, int code) {
    return kModemRowQuery + ZeroPadded(number, 2) + std::to_string(code);
}

// The instrument's firmware update.
inline constexpr const char* kStartUpdate = "*RS2";
inline constexpr const char* kEndUpdate = "*RS0";
inline std::string EraseStep(int step) {
    return kEraseStepPrefix + std::to_string(step % 10);
}

}  // namespace veltra::command
