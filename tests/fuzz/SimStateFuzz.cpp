// The simulated instrument's state folder: instrument.txt, then after each 0x00 byte a plan
// file, faults.txt and a TV logger file of slot 0.
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
    const fs::path files[] = {"instrument.txt", "plans/plan0.c52", "faults.txt",
                              "loggers/tv-00.logtv"};
    std::size_t start = 0;
    for (const fs::path& file : files) {
        if (start > input.size()) break;
        const std::size_t end = std::min(input.find('\0', start), input.size());
        fs::create_directories((folder / file).parent_path());
        std::ofstream(folder / file, std::ios::binary) << input.substr(start, end - start);
        start = end + 1;
    }
    std::string error;
    veltra::sim::LoadInstrument(folder.string(), error);
    return 0;
}
