// An instrument firmware file. Every record of a file that passes the check fits one report,
// so an update never stops half-way for a record the program could not send.
#include "FuzzTarget.h"
#include "channelplans/ChannelRecord.h"
#include "firmware/FirmwareFiles.h"
#include "link/Report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    const std::string content = fuzz::Text(data, size);
    const bool checked = static_cast<bool>(CheckSRecordFile(content));
    TextLineReader lines(content);
    while (const auto line = lines.next(99)) {
        Report report{};
        const bool fits = BuildRecordReport(SRecordToRecord(*line), report);
        if (checked) fuzz::Require(fits);
    }
    return 0;
}
