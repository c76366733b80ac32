// Two TV logger files compared channel by channel (the viewer's "Compare with..."): the two
// files are the pieces of the input around its first 0x00 byte. Every row of either logger is
// matched at most once, and every comparison names a row of at least one of them.
#include "FuzzTarget.h"
#include "loggers/LoggerGraph.h"
#include "loggers/LoggerRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    const auto pieces = fuzz::Pieces(fuzz::Text(data, size));
    if (pieces.size() < 2) return 0;
    LoggerRecords first, second;
    if (ReadLoggerText(pieces[0], "a.logtv", first) != kShowTv) return 0;
    if (ReadLoggerText(pieces[1], "b.logtv", second) != kShowTv) return 0;
    std::vector<int> usedFirst(first.tv.records.size() + 1),
        usedSecond(second.tv.records.size() + 1);
    for (const ChannelComparison& c : CompareTvLoggers(first.tv, second.tv)) {
        fuzz::Require(c.first || c.second);
        if (c.first) fuzz::Require(*c.first < usedFirst.size() && ++usedFirst[*c.first] == 1);
        if (c.second) fuzz::Require(*c.second < usedSecond.size() && ++usedSecond[*c.second] == 1);
    }
    return 0;
}
