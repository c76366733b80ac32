// The 65-byte report that moves between the program and the IO interface, and the framing of
// the instrument's command protocol inside it. Plain C++.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

inline constexpr std::size_t kReportSize = 65;
using Report = std::array<std::uint8_t, kReportSize>;

// Report codes (byte 2 of a command report).
enum ReportCode : std::uint8_t {
    kIOVersionCode = 20,
    kCommandCode = 22,
    kRecordCode = 23,
    kEraseCode = 24,
    kQueryCode = 25,
};

inline constexpr std::uint8_t kCarriageReturn = 0x0D;
inline constexpr std::size_t kMaxCommandLength = 60;  // bytes 3..62, then CR and 0x00

// 0x00, 0x03, code, the command text (cut to 60 characters), CR, 0x00, zeros.
Report BuildCommandReport(std::uint8_t code, std::string_view text);

// A report with only byte 1 = 0x03 and the code: the IO interface version request.
Report BuildBareReport(std::uint8_t code);

// Firmware record report (code 23): the first L + 6 bytes of `record` (L = record byte 5) from
// byte 3 on, then CR and 0x00. Records that do not fit in one report are refused: false.
bool BuildRecordReport(const std::vector<std::uint8_t>& record, Report& report);

// The clock report: "*SK" and the 19-character clock text from byte 3, no carriage return.
Report BuildClockReport(const std::string& clockText);

// HH:MM:SS/DD-MM-YYYY.
std::string ClockText(int year, int month, int day, int hour, int minute, int second);

// Bytes of `answer` from `first` up to the first 0x00, at most up to byte 64.
std::string AnswerText(const Report& answer, std::size_t first);

// The value of a four-character query: everything from the first CR (searched from byte 0) to
// byte 64 is cleared, then the text from byte 8 up to the first 0x00.
std::string QueryValue(Report answer);

// True when an answer of report code 25 is the answer to `command`: bytes 4-7 repeat the
// command's first four characters. An answer to another command (or noise) is no answer.
bool AnswersQuery(const Report& answer, std::string_view command);

// The instrument version from the "*?VE" answer: what follows the model name, "BOOT..." for an
// instrument in its boot loader, else the value as a whole.
std::string VersionFromAnswer(const Report& answer);

// Hex dump as written to the simulator's traffic log: "00 03 19 ...".
std::string ReportToHex(const Report& report);

}  // namespace veltra
