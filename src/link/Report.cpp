#include "link/Report.h"

#include <algorithm>
#include <cstdio>

#include "link/Commands.h"

namespace veltra {

namespace {
constexpr std::size_t kTextStart = 3;
constexpr std::size_t kValueStart = 8;
constexpr const char* kModelName = "VELTRA-52";
}  // namespace

Report BuildBareReport(std::uint8_t code) {
    Report report{};
    report[1] = 0x03;
    report[2] = code;
    return report;
}

Report BuildCommandReport(std::uint8_t code, std::string_view text) {
    Report report = BuildBareReport(code);
    const std::size_t length = std::min(text.size(), kMaxCommandLength);
    std::copy_n(text.begin(), length, report.begin() + kTextStart);
    report[kTextStart + length] = kCarriageReturn;
    return report;
}

bool BuildRecordReport(const std::vector<std::uint8_t>& record, Report& report) {
    if (record.size() < 6) return false;
    const std::size_t length = static_cast<std::size_t>(record[5]) + 6;
    if (length > kMaxCommandLength || length > record.size()) return false;
    report = BuildBareReport(kRecordCode);
    std::copy_n(record.begin(), length, report.begin() + kTextStart);
    report[kTextStart + length] = kCarriageReturn;
    return true;
}

std::string ClockText(int year, int month, int day, int hour, int minute, int second) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d/%02d-%02d-%04d", hour, minute, second, day,
                  month, year);
    return text;
}

Report BuildClockReport(const std::string& clockText) {
    Report report = BuildBareReport(kCommandCode);
    const std::string text = command::kSetClock + clockText;
    std::copy_n(text.begin(), std::min(text.size(), kMaxCommandLength),
                report.begin() + kTextStart);
    return report;
}

std::string AnswerText(const Report& answer, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < kReportSize && answer[i] != 0; ++i)
        text.push_back(static_cast<char>(answer[i]));
    return text;
}

std::string QueryValue(Report answer) {
    const auto cr = std::find(answer.begin(), answer.end(), kCarriageReturn);
    std::fill(cr, answer.end(), 0);
    return AnswerText(answer, kValueStart);
}

bool AnswersQuery(const Report& answer, std::string_view command) {
    const std::string_view head = command.substr(0, 4);
    return head.size() == 4 && std::equal(head.begin(), head.end(), answer.begin() + 4);
}

std::string VersionFromAnswer(const Report& answer) {
    const std::string value = QueryValue(answer);
    const std::string model = kModelName;
    if (value.compare(0, model.size(), model) == 0 && value.size() >= model.size())
        return value.substr(model.size());
    if (value.compare(0, 5, " BOOT") == 0 && value.size() >= 5) return value.substr(1);
    return value;
}

std::string ReportToHex(const Report& report) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(kReportSize * 3);
    for (std::size_t i = 0; i < kReportSize; ++i) {
        if (i) text.push_back(' ');
        text.push_back(digits[report[i] >> 4]);
        text.push_back(digits[report[i] & 0x0F]);
    }
    return text;
}

}  // namespace veltra
