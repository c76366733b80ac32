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

// Channel plans: queries. The slot is "0" and one digit in "*?CS", bare in "*?CU", two digits in
// "*?CF", followed there by three digits of the channel.
inline constexpr const char* kPlanCount = "*?PN";
inline std::string PlanName(int slot) {
    return "*?CS0" + std::to_string(slot);
}
inline std::string ChannelCount(int slot) {
    return "*?CU" + std::to_string(slot);
}
inline std::string Channel(int slot, int index) {
    return "*?CF" + ZeroPadded(slot, 2) + ZeroPadded(index, 3);
}

// Channel plans: writes. "*PM00" and "*EP" erase every plan; "*PM01" opens the writing of one.
inline constexpr const char* kErasePlans = "*PM00";
inline constexpr const char* kEraseConfirm = "*EP";
inline constexpr const char* kOpenPlanWrite = "*PM01";
// The number of plans the instrument holds from now on: two digits ("*PN03", "*PN10").
inline std::string SetPlanCount(int count) {
    return "*PN" + ZeroPadded(count, 2);
}
inline std::string SetPlanName(int slot, const std::string& name) {
    return "*CS0" + std::to_string(slot) + name;
}
inline std::string SetChannelCount(int slot, int count) {
    return "*CW0" + std::to_string(slot) + ZeroPadded(count, 3);
}
inline std::string SetChannel(int slot, const std::string& payload) {
    return "*CF0" + std::to_string(slot) + payload;
}

// Loggers: the TV list ("T") and the modem list ("M"), numbers as two digits.
inline std::string LoggerPresence(bool tv) {
    return tv ? "*?LT" : "*?LM";
}
inline std::string LoggerEntry(bool tv, int number) {
    return (tv ? "*?OT" : "*?OM") + ZeroPadded(number, 2);
}
inline std::string TvHeader(int number) {
    return "*?ET" + ZeroPadded(number, 2);
}
inline std::string TvRecord(int number, int record) {
    return "*?HD" + ZeroPadded(number, 2) + ZeroPadded(record, 3);
}
inline std::string LoggerKind(int number) {
    return "*?EM" + ZeroPadded(number, 2);
}
inline std::string ModemRow(int number, int code) {
    return "*?HM" + ZeroPadded(number, 2) + std::to_string(code);
}

// The instrument's firmware update.
inline constexpr const char* kStartUpdate = "*RS2";
inline constexpr const char* kEndUpdate = "*RS0";
inline std::string EraseStep(int step) {
    return "*FE" + std::to_string(step % 10);
}

}  // namespace veltra::command
