// One fuzz target per parser of outside input. Built with clang as a libFuzzer program; with
// any other compiler each target is a plain program that runs its committed corpus once.
#pragma once

#include <unistd.h>
#include <cstddef>
#include <cstdint>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace veltra::fuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A property the program relies on did not hold: stop as a crash would, so the fuzzer keeps the
// input.
inline void Require(bool holds) {
    if (!holds) std::abort();
}

// The pieces of an input between its 0x00 bytes (files of a folder, arguments of a command).
inline std::vector<std::string> Pieces(const std::string& input) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        pieces.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

// A folder of the target's own, emptied for each input and removed when the target ends.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("veltra-fuzz-" + name + "-" + std::to_string(::getpid()))) {}
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, empty.
    const std::filesystem::path& fresh() const {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_);
        return path_;
    }
    void write(const std::filesystem::path& relative, std::string_view bytes) const {
        std::filesystem::create_directories((path_ / relative).parent_path());
        std::ofstream(path_ / relative, std::ios::binary) << bytes;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace veltra::fuzz
