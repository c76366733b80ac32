// One fuzz target per parser of outside input. Built with clang as a libFuzzer program; with
// any other compiler each target is a plain program that runs its committed corpus once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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

}  // namespace veltra::fuzz
