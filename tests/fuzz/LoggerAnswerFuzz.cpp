// The values of the logger queries: presence bitmaps, index entries, TV headers and records,
// the modem list's kind, downstream and modem rows.
#include "FuzzTarget.h"
#include "loggers/LoggerRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    const std::string value = fuzz::Text(data, size);
    ParsePresence(value, LoggerList::Tv);
    ParsePresence(value, LoggerList::Modem);
    ParseIndexEntry(value);
    ParseTvHeader(value);
    TvRecord record;
    ParseTvRecord(value, record);
    ParseLoggerKind(value);
    DownLogger down;
    ParseDownHeaderFirst(value, down);
    ParseDownHeaderSecond(value, down);
    std::array<std::string, 5> downRow;
    ParseDownRow(value, downRow);
    std::array<std::string, 7> modemRow;
    ParseModemRow(value, modemRow);
    std::array<std::string, 8> upstreamRow;
    ParseModemUpstreamRow(value, upstreamRow);
    return 0;
}
