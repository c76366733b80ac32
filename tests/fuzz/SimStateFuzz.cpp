// The simulated instrument's state folder: instrument.txt, then (after a 0x00 byte) a plan file.
#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "FuzzTarget.h"
#include "sim/SimState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    static const fs::path folder =
        fs::temp_directory_path() / ("veltra-fuzz-sim-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "plans");
    const std::string input = veltra::fuzz::Text(data, size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    std::ofstream(folder / "instrument.txt", std::ios::binary) << input.substr(0, split);
    if (split < input.size())
        std::ofstream(folder / "plans" / "plan0.c52", std::ios::binary) << input.substr(split + 1);
    std::string error;
    veltra::sim::LoadInstrument(folder.string(), error);
    return 0;
}
