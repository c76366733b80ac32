// A logger file of the three kinds (the first byte picks the kind). A file that reads writes
// again, and what is written reads back.
#include "FuzzTarget.h"
#include "loggers/LoggerRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    if (size == 0) return 0;
    static const char* const kPaths[] = {"x.logtv", "x.logds", "x.logmr"};
    const std::string path = kPaths[data[0] % 3];
    const std::string content = fuzz::Text(data + 1, size - 1);
    LoggerRecords records;
    const int kind = ReadLoggerText(content, path, records);
    std::string text;
    if (kind == 1 && TvLoggerFileText(records.tv, text)) {
        LoggerRecords again;
        fuzz::Require(ReadLoggerText(text, path, again) == 1);
    }
    if (kind == 2) DownLoggerFileText(records.down);
    if (kind == 3) ModemLoggerFileText(records.modem);
    return 0;
}
