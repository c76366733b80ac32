// An input report as the IO interface delivers it, and command texts the program frames.
#include <algorithm>

#include "FuzzTarget.h"
#include "link/Report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    Report answer{};
    std::copy_n(data, std::min(size, answer.size()), answer.begin());
    QueryValue(answer);
    VersionFromAnswer(answer);
    for (std::size_t first = 0; first <= kReportSize; ++first)
        AnswerText(answer, first);
    AnswersQuery(answer, "*?PN");
    const std::string text = fuzz::Text(data, size);
    const Report command = BuildCommandReport(kQueryCode, text);
    fuzz::Require(command[0] == 0 && command[1] == 0x03 && command[2] == kQueryCode);
    Report record{};
    BuildRecordReport(std::vector<std::uint8_t>(data, data + size), record);
    return 0;
}
