// An IO interface firmware file. A file that passes the check holds firmware inside the area
// the loader writes.
#include "FuzzTarget.h"
#include "firmware/FirmwareFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    FirmwareImage image;
    if (!ReadHexFile(fuzz::Text(data, size), image)) return 0;
    fuzz::Require(image.dataBytes > 0);
    fuzz::Require(image.end > kImageStart && image.end <= kImageSize);
    return 0;
}
