// The instrument's answer to a channel query. A channel accepted on read converts back to a
// sendable line: the delete writes the copy back.
#include "FuzzTarget.h"
#include "channelplans/ChannelRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    const std::string line = ChannelAnswerToLine(fuzz::Text(data, size));
    if (line == "error") return 0;
    PayloadConverter converter;
    const std::string payload = converter.ChannelLineToPayload("0" + line, true);
    fuzz::Require(!IsErrorMarker(payload));
    fuzz::Require(payload.size() <= kMaxChannelPayload);
    return 0;
}
