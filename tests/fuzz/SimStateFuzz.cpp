// The simulated instrument's state folder: instrument.txt, then after each 0x00 byte a plan
// file, faults.txt and a TV logger file of slot 0.
#include "FuzzTarget.h"
#include "sim/SimState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const veltra::fuzz::ScratchFolder scratch("sim");
    const auto& folder = scratch.fresh();
    scratch.write("plans/.keep", "");
    const auto pieces = veltra::fuzz::Pieces(veltra::fuzz::Text(data, size));
    const char* const files[] = {"instrument.txt", "plans/plan0.c52", "faults.txt",
                                 "loggers/tv-00.logtv"};
    for (std::size_t k = 0; k < pieces.size() && k < std::size(files); ++k)
        scratch.write(files[k], pieces[k]);
    std::string error;
    veltra::sim::LoadInstrument(folder.string(), error);
    return 0;
}
